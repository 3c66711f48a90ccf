// Keyboard input a user gives the program under test: keys with modifiers, menu commands by their
// letters, typed text. Input goes to the foreground window, so each call first brings `window` forward.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

enum Modifiers : unsigned { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// Makes `window` (a top-level window of any process) the foreground window and waits until it is.
bool BringToFront(HWND window);

// Presses and releases virtual key `key` (VK_F3, 'S', ...) while holding `modifiers`: PressKey(w, 'S', kCtrl).
bool PressKey(HWND window, WORD key, unsigned modifiers = kNoModifier);

// Chooses a menu command by its access letters, as a user does with the keyboard: Alt with the first
// letter opens the menu, each further letter picks an item. ChooseMenu(w, "FO") is ファイル(&F) → 開く(&O).
// Letters are A–Z and 0–9; a space stands for the system menu (Alt+Space).
bool ChooseMenu(HWND window, const std::string& letters);

// Types `text` into the focused control of `window` as Unicode keystrokes (Japanese included).
bool TypeText(HWND window, const std::wstring& text);
// Clicks the left mouse button at `point` of the client area of `window` (a window of any process,
// whose top-level window is first brought forward).
bool ClickAt(HWND window, POINT point);

// Posts `text` to one window as WM_CHAR messages, one per UTF-16 unit, without touching the focus.
bool PostText(HWND target, const std::wstring& text);

}  // namespace e2e
