// Answers a modal dialog the code under test shows: a thread timer finds the dialog by its
// window class and title and presses one of its buttons, from inside the dialog's own loop.
// A dialog that does not come within the deadline fails the test, naming what was on screen
// instead, and whatever dialog is up is closed, so that the test goes on.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

class DialogAnswerer {
public:
    // Presses `buttonId` of the first dialog (class `className`) whose title is `title` (empty: any title).
    DialogAnswerer(std::string title, int buttonId, std::string className = "#32770", unsigned timeoutMs = 10000);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    bool Answered() const { return answered_; }
    // Text of the dialog's static controls, as seen just before pressing the button.
    const std::string& SeenText() const { return seenText_; }
    const std::string& SeenTitle() const { return seenTitle_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
    static BOOL CALLBACK FindDialog(HWND window, LPARAM self);
    void Poll();
    void GiveUp();
    void Stop();

    std::string title_;
    int buttonId_;
    std::string className_;
    ULONGLONG deadline_;
    UINT_PTR timer_ = 0;
    bool answered_ = false;
    std::string seenText_;
    std::string seenTitle_;
};

// The visible top-level windows of this thread, one per line: class, title and static texts.
std::string ThreadWindowsOnScreen();

}  // namespace testsupport
