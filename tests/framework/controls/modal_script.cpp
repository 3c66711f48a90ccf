// Acts on the modal form that is up, from inside its own loop.
#include "tests/framework/controls/modal_script.h"

#include <algorithm>

#include "framework/controls/screen.h"

namespace controlstest {

namespace {

ModalScript* running = nullptr;

}  // namespace

TCustomForm* ModalForm()
{
    for (int i = 0; i < Screen->CustomFormCount(); ++i) {
        TCustomForm* form = Screen->CustomForms(i);
        if (form->FormState().Contains(fsModal) && form->HandleAllocated() && IsWindowVisible(form->WindowHandle()))
            return form;
    }
    return nullptr;
}

bool HasFocus(TCustomForm& form)
{
    if (GetForegroundWindow() != form.WindowHandle()) {
        SetForegroundWindow(form.WindowHandle());
        return false;
    }
    TWinControl* active = form.ActiveControl();
    HWND expected = active && active->HandleAllocated() ? active->WindowHandle() : form.WindowHandle();
    return GetFocus() == expected;
}

bool ShownOnScreen(TCustomForm& form)
{
    RECT client{};
    GetClientRect(form.Handle(), &client);
    MapWindowPoints(form.Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    testsupport::Picture screen = testsupport::CaptureScreen(client);
    int face = CountOf(screen, {0, 0, screen.width, screen.height}, ColorToRGB(form.Color()));
    return !screen.pixels.empty() && face * 2 > screen.width * screen.height;
}

COLORREF ColorAt(const testsupport::Picture& picture, int x, int y)
{
    std::uint32_t p = picture.At(x, y);
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

int CountOf(const testsupport::Picture& picture, const RECT& area, COLORREF color)
{
    int count = 0;
    for (int y = std::max<int>(0, area.top); y < std::min<int>(picture.height, area.bottom); ++y)
        for (int x = std::max<int>(0, area.left); x < std::min<int>(picture.width, area.right); ++x)
            count += ColorAt(picture, x, y) == color;
    return count;
}

HWND ChildWindow(TCustomForm& form, const std::string& name)
{
    auto* control = dynamic_cast<TWinControl*>(form.FindComponent(name));
    return control ? control->Handle() : nullptr;
}

ModalScript::ModalScript(std::vector<Step> steps, unsigned timeoutMs)
    : steps_(std::move(steps)), deadline_(GetTickCount64() + timeoutMs)
{
    running = this;
    timer_ = SetTimer(nullptr, 0, 10, &ModalScript::Tick);
}

ModalScript::~ModalScript()
{
    KillTimer(nullptr, timer_);
    running = nullptr;
}

std::string ModalScript::Stall() const
{
    if (Finished())
        return {};
    return (timedOut_ ? "timed out waiting for: " : "never reached: ") + steps_[next_].what;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (running)
        running->Poll();
}

void ModalScript::Poll()
{
    TCustomForm* form = ModalForm();
    if (!form || Finished() || timedOut_)
        return;
    if (GetTickCount64() > deadline_) {
        timedOut_ = true;
        form->SetModalResult(mrAbort);
        return;
    }
    Step& step = steps_[next_];
    if (!HasFocus(*form) || (step.ready && !step.ready(*form)))
        return;
    ++next_;
    step.act(*form);
}

}  // namespace controlstest
