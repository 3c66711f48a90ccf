// Drives the system's common dialogs from the test, through their windows and the real keyboard.
#include "tests/framework/dialogs/dialog_driver.h"

#include <map>

namespace dialogtest {

namespace {

std::map<UINT_PTR, DialogScript*>& Scripts()
{
    static std::map<UINT_PTR, DialogScript*> scripts;
    return scripts;
}

struct Search {
    const std::string* title;
    const std::string* className;
    HWND found = nullptr;
    int count = 0;
    bool all = false;
    HWND except = nullptr;
    void (*each)(HWND) = nullptr;  // called for every match
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpiA(cls, search->className->c_str()) != 0 || !IsWindowVisible(window) || window == search->except)
        return TRUE;
    if (!search->title->empty() && ControlText(window) != *search->title)
        return TRUE;
    search->found = window;
    ++search->count;
    if (search->each)
        search->each(window);
    return search->all;
}

struct IdSearch {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK MatchId(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<IdSearch*>(param);
    if (GetDlgCtrlID(window) != search->id)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The window that takes typed text: the control itself, or the edit inside a combo box.
HWND EditOf(HWND control)
{
    char cls[64] = {};
    GetClassNameA(control, cls, sizeof cls);
    if (lstrcmpiA(cls, "Edit") == 0)
        return control;
    HWND inner = control;
    while ((inner = FindWindowExA(inner, nullptr, nullptr, nullptr)) != nullptr) {
        GetClassNameA(inner, cls, sizeof cls);
        if (lstrcmpiA(cls, "Edit") == 0)
            return inner;
    }
    return control;
}

void Send(std::vector<INPUT>& inputs)
{
    if (!inputs.empty())
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Key(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

HWND FindDialogWindow(const std::string& title, const std::string& className)
{
    Search search{&title, &className};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindOtherDialog(HWND except)
{
    const std::string any, dialogClass = "#32770";
    Search search{&any, &dialogClass};
    search.except = except;
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int CountDialogWindows(const std::string& title, const std::string& className)
{
    Search search{&title, &className};
    search.all = true;
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

HWND DialogControl(HWND dialog, int id)
{
    if (HWND direct = GetDlgItem(dialog, id))
        return direct;
    IdSearch search{id};
    EnumChildWindows(dialog, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ControlText(HWND control)
{
    char buffer[1024] = {};
    LRESULT n = SendMessageA(control, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

HWND FocusedWindow() { return GetFocus(); }

void TypeText(HWND window, const std::string& text)
{
    SetForegroundWindow(window);
    int n = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    std::vector<INPUT> inputs;
    for (wchar_t c : wide) {
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
    Send(inputs);
}

void PressKey(HWND window, WORD key, bool shift, bool ctrl)
{
    SetForegroundWindow(window);
    std::vector<INPUT> inputs;
    if (shift)
        inputs.push_back(Key(VK_SHIFT, false));
    if (ctrl)
        inputs.push_back(Key(VK_CONTROL, false));
    inputs.push_back(Key(key, false));
    inputs.push_back(Key(key, true));
    if (ctrl)
        inputs.push_back(Key(VK_CONTROL, true));
    if (shift)
        inputs.push_back(Key(VK_SHIFT, true));
    Send(inputs);
}

void DialogScript::Start(std::vector<Step> steps, unsigned timeoutMs)
{
    Stop();
    steps_ = std::move(steps);
    next_ = 0;
    failure_.clear();
    typed_ = false;
    seen_.clear();
    deadline_ = GetTickCount64() + timeoutMs;
    timer_ = SetTimer(nullptr, 0, 20, &DialogScript::OnTimer);
    Scripts()[timer_] = this;
}

DialogScript::~DialogScript() { Stop(); }

void DialogScript::Stop()
{
    if (!timer_)
        return;
    KillTimer(nullptr, timer_);
    Scripts().erase(timer_);
    timer_ = 0;
}

void CALLBACK DialogScript::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    auto found = Scripts().find(id);
    if (found != Scripts().end())
        found->second->Poll();
}

void DialogScript::Poll()
{
    while (next_ < steps_.size() && steps_[next_].run())
        ++next_;
    if (Finished()) {
        Stop();
        return;
    }
    if (GetTickCount64() < deadline_)
        return;
    failure_ = "timed out waiting for: " + steps_[next_].what;
    if (!seen_.empty())
        failure_ += " (it shows \"" + seen_ + "\")";
    Stop();
    const std::string any, dialogClass = "#32770";
    Search search{&any, &dialogClass};
    search.all = true;
    search.each = [](HWND window) { PostMessageA(window, WM_COMMAND, IDCANCEL, 0); };
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
}

DialogScript::Step DialogScript::Closed()
{
    return {"the dialog to close", [this] { return !IsWindow(dialog_); }};
}

DialogScript::Step DialogScript::Find(const std::string& title)
{
    return {"the dialog \"" + title + "\"", [this, title] {
                dialog_ = FindDialogWindow(title);
                return dialog_ != nullptr;
            }};
}

DialogScript::Step DialogScript::Type(int id, const std::string& text)
{
    return {"control " + std::to_string(id) + " to show \"" + text + "\"", [this, id, text] {
                HWND edit = EditOf(DialogControl(dialog_, id));
                if (!typed_) {
                    typed_ = true;
                    SetFocus(edit);
                    SendMessageA(edit, EM_SETSEL, 0, -1);
                    TypeText(dialog_, text);
                    return false;
                }
                seen_ = ControlText(edit);
                if (seen_ != text)
                    return false;
                typed_ = false;
                return true;
            }};
}

DialogScript::Step DialogScript::Press(int id)
{
    return {"button " + std::to_string(id), [this, id] {
                HWND button = DialogControl(dialog_, id);
                if (!button || !IsWindowEnabled(button))
                    return false;
                PostMessageA(button, BM_CLICK, 0, 0);
                return true;
            }};
}

DialogScript::Step DialogScript::SetText(int id, const std::string& text)
{
    return {"control " + std::to_string(id) + " to take \"" + text + "\"", [this, id, text] {
                HWND edit = EditOf(DialogControl(dialog_, id));
                SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
                return ControlText(edit) == text;
            }};
}

DialogScript::Step DialogScript::Do(std::string what, const std::function<void()>& action)
{
    return {std::move(what), [action] {
                action();
                return true;
            }};
}

}  // namespace dialogtest
