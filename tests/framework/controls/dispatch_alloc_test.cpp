// Dispatching a message allocates nothing: a global operator new counts every allocation while
// real messages go through the loop and the handlers. Also prints the time per message.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "tests/framework/controls/controls_test_support.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace controlstest;

namespace {

constexpr UINT WM_PROBE = WM_USER + 3;

class TProbe : public TTestEdit {
public:
    using TTestEdit::TTestEdit;
    long handled = 0;
    void Dispatch(TMessage& m) override
    {
        if (m.Msg == WM_PROBE) {
            ++handled;
            m.Result = 1;
        }
        TTestEdit::Dispatch(m);
    }
};

TEST(DispatchAllocation, NoAllocationPerMessage)
{
    std::unique_ptr<TTestForm> form(MakeShownForm());
    auto* probe = new TProbe(form.get());
    probe->SetBounds(10, 10, 150, 24);
    probe->SetParent(form.get());
    probe->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return probe->Focused(); }));
    struct Keys : TObject {
        long seen = 0;
        void Down(TObject*, std::uint16_t&, TShiftState) { ++seen; }
    } keys;
    probe->OnKeyDown = TKeyEvent(&keys, &Keys::Down);
    HWND window = probe->WindowHandle();
    // Warm up: first-use statics (registered messages, class information) are made once.
    SendMessageA(window, WM_PROBE, 0, 0);
    PostMessageA(window, WM_KEYDOWN, VK_SHIFT, 1);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    PumpPending();

    constexpr int rounds = 50;
    long before = allocations.load();
    ULONGLONG start = GetTickCount64();
    for (int i = 0; i < rounds; ++i) {
        SendMessageA(window, WM_PROBE, 0, 0);           // handled by the most derived class
        SendMessageA(window, WM_USER + 99, 0, 0);       // unhandled: to the edit window's procedure
        probe->PerformMessage(WM_GETDLGCODE, 0, 0);     // no queue, no window procedure
        PostMessageA(window, WM_KEYDOWN, VK_SHIFT, 1);  // the key path: notification, OnKeyDown
        PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
        PumpPending();
    }
    ULONGLONG elapsed = GetTickCount64() - start;
    long counted = allocations.load() - before;
    EXPECT_EQ(probe->handled, rounds + 1);
    EXPECT_EQ(keys.seen, rounds + 1);
    EXPECT_EQ(counted, 0) << "allocations during " << rounds * 5 << " messages";
    std::printf("[ measure  ] %d messages, %ld allocations, %.2f us per message\n", rounds * 5, counted,
                elapsed * 1000.0 / (rounds * 5));
}

}  // namespace
