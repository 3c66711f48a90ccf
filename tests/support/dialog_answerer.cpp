// Answers a modal dialog from a thread timer that runs inside the dialog's message loop.
#include "tests/support/dialog_answerer.h"

#include <map>

namespace testsupport {

namespace {

std::map<UINT_PTR, DialogAnswerer*>& Answerers()
{
    static std::map<UINT_PTR, DialogAnswerer*> answerers;
    return answerers;
}

std::string TextOf(HWND window)
{
    char buffer[4096];
    int n = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM out)
{
    char cls[64];
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) {
        auto& text = *reinterpret_cast<std::string*>(out);
        std::string part = TextOf(child);
        if (!part.empty())
            text += (text.empty() ? "" : "\n") + part;
    }
    return TRUE;
}

}  // namespace

DialogAnswerer::DialogAnswerer(std::string title, int buttonId, std::string className)
    : title_(std::move(title)), buttonId_(buttonId), className_(std::move(className))
{
    timer_ = SetTimer(nullptr, 0, 20, &DialogAnswerer::OnTimer);
    Answerers()[timer_] = this;
}

DialogAnswerer::~DialogAnswerer()
{
    if (timer_) {
        KillTimer(nullptr, timer_);
        Answerers().erase(timer_);
    }
}

void CALLBACK DialogAnswerer::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    auto found = Answerers().find(id);
    if (found != Answerers().end())
        found->second->Poll();
}

BOOL CALLBACK DialogAnswerer::FindDialog(HWND window, LPARAM selfParam)
{
    auto* self = reinterpret_cast<DialogAnswerer*>(selfParam);
    char cls[64];
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpiA(cls, self->className_.c_str()) != 0 || !IsWindowVisible(window))
        return TRUE;
    std::string title = TextOf(window);
    if (!self->title_.empty() && title != self->title_)
        return TRUE;
    HWND button = GetDlgItem(window, self->buttonId_);
    if (!button)
        return TRUE;
    self->seenTitle_ = title;
    self->seenText_.clear();
    EnumChildWindows(window, CollectStatic, reinterpret_cast<LPARAM>(&self->seenText_));
    self->answered_ = true;
    PostMessageA(button, BM_CLICK, 0, 0);
    return FALSE;
}

void DialogAnswerer::Poll()
{
    if (answered_)
        return;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(this));
    if (answered_) {
        KillTimer(nullptr, timer_);
        Answerers().erase(timer_);
        timer_ = 0;
    }
}

}  // namespace testsupport
