// Keyboard input by SendInput after bringing the window forward: posted key messages would not carry
// the modifier state, so Ctrl and Alt combinations need real input.
#include "tests/e2e/user_input.h"

#include <vector>

#include "tests/e2e/velmora_process.h"

namespace e2e {

namespace {

INPUT KeyInput(WORD key, bool down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

void AddModifiers(std::vector<INPUT>& inputs, unsigned modifiers, bool down)
{
    const std::pair<unsigned, WORD> keys[] = {{kCtrl, VK_CONTROL}, {kShift, VK_SHIFT}, {kAlt, VK_MENU}};
    for (const auto& [bit, key] : keys)
        if (modifiers & bit)
            inputs.push_back(KeyInput(key, down));
}

bool Send(std::vector<INPUT>& inputs)
{
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

WORD MenuLetterKey(char letter)
{
    if (letter == ' ')
        return VK_SPACE;
    if (letter >= 'a' && letter <= 'z')
        return static_cast<WORD>(letter - 'a' + 'A');
    return static_cast<WORD>(letter);
}

}  // namespace

bool BringToFront(HWND window)
{
    if (!window)
        return false;
    SetForegroundWindow(window);
    return WaitUntil([&] { return GetForegroundWindow() == window; }, 5000);
}

bool PressKey(HWND window, WORD key, unsigned modifiers)
{
    if (!BringToFront(window))
        return false;
    std::vector<INPUT> inputs;
    AddModifiers(inputs, modifiers, true);
    inputs.push_back(KeyInput(key, true));
    inputs.push_back(KeyInput(key, false));
    AddModifiers(inputs, modifiers, false);
    return Send(inputs);
}

bool ChooseMenu(HWND window, const std::string& letters)
{
    if (letters.empty() || !BringToFront(window))
        return false;
    std::vector<INPUT> inputs;
    inputs.push_back(KeyInput(VK_MENU, true));
    inputs.push_back(KeyInput(MenuLetterKey(letters[0]), true));
    inputs.push_back(KeyInput(MenuLetterKey(letters[0]), false));
    inputs.push_back(KeyInput(VK_MENU, false));
    for (size_t i = 1; i < letters.size(); ++i) {
        inputs.push_back(KeyInput(MenuLetterKey(letters[i]), true));
        inputs.push_back(KeyInput(MenuLetterKey(letters[i]), false));
    }
    return Send(inputs);
}

bool TypeText(HWND window, const std::wstring& text)
{
    if (!BringToFront(window))
        return false;
    std::vector<INPUT> inputs;
    for (wchar_t unit : text) {
        for (bool down : {true, false}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
            inputs.push_back(input);
        }
    }
    return inputs.empty() || Send(inputs);
}

bool ClickAt(HWND window, POINT point)
{
    if (!BringToFront(GetAncestor(window, GA_ROOT)) || !ClientToScreen(window, &point) ||
        !SetCursorPos(point.x, point.y))
        return false;
    // Each event carries the point: a press that took the cursor's place from before the move could
    // land where the cursor was, not where it was sent.
    const int x = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    const int y = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    std::vector<INPUT> inputs(3);
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = x;
        input.mi.dy = y;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    return Send(inputs);
}

bool PostText(HWND target, const std::wstring& text)
{
    for (wchar_t unit : text)
        if (!PostMessageW(target, WM_CHAR, unit, 1))
            return false;
    return true;
}

}  // namespace e2e
