// Answers a modal dialog from a thread timer that runs inside the dialog's message loop.
#include "tests/support/dialog_answerer.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

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

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM out)
{
    if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0) {
        auto& all = *reinterpret_cast<std::string*>(out);
        std::string part = TextOf(child);
        if (!part.empty())
            all += (all.empty() ? "" : "\n") + part;
    }
    return TRUE;
}

// The texts of a dialog's static controls, one per line.
std::string StaticTexts(HWND dialog)
{
    std::string text;
    EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM out)
{
    if (IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

std::string ThreadWindowsOnScreen()
{
    std::string all;
    for (HWND window : VisibleThreadWindows()) {
        all += "\n  " + ClassOf(window) + " \"" + TextOf(window) + "\"";
        if (std::string texts = StaticTexts(window); !texts.empty())
            all += ": " + texts;
    }
    return all.empty() ? " nothing" : all;
}

DialogAnswerer::DialogAnswerer(std::string title, int buttonId, std::string className, unsigned timeoutMs)
    : title_(std::move(title)), buttonId_(buttonId), className_(std::move(className)),
      deadline_(GetTickCount64() + timeoutMs)
{
    timer_ = SetTimer(nullptr, 0, 20, &DialogAnswerer::OnTimer);
    Answerers()[timer_] = this;
}

DialogAnswerer::~DialogAnswerer() { Stop(); }

void DialogAnswerer::Stop()
{
    if (timer_) {
        KillTimer(nullptr, timer_);
        Answerers().erase(timer_);
        timer_ = 0;
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
    if (lstrcmpiA(ClassOf(window).c_str(), self->className_.c_str()) != 0 || !IsWindowVisible(window))
        return TRUE;
    std::string title = TextOf(window);
    if (!self->title_.empty() && title != self->title_)
        return TRUE;
    HWND button = GetDlgItem(window, self->buttonId_);
    if (!button)
        return TRUE;
    self->seenTitle_ = title;
    self->seenText_ = StaticTexts(window);
    self->answered_ = true;
    PostMessageA(button, BM_CLICK, 0, 0);
    return FALSE;
}

void DialogAnswerer::Poll()
{
    if (answered_)
        return;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(this));
    if (answered_)
        Stop();
    else if (GetTickCount64() >= deadline_)
        GiveUp();
}

// Fails the test with what was on screen, and ends every dialog of the thread so that the modal
// call that waits for one returns.
void DialogAnswerer::GiveUp()
{
    Stop();
    ADD_FAILURE() << "no dialog of class " << className_ << " titled \"" << title_ << "\" with button " << buttonId_
                  << " appeared in time; on screen:" << ThreadWindowsOnScreen();
    for (HWND window : VisibleThreadWindows())
        if (lstrcmpiA(ClassOf(window).c_str(), "#32770") == 0 || ClassOf(window) == className_)
            EndDialog(window, IDCANCEL);
}

}  // namespace testsupport
