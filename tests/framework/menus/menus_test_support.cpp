// Shared pieces of the menu and action tests.
#include "tests/framework/menus/menus_test_support.h"

#include <utility>

namespace menustest {

std::vector<Entry> EntriesOf(HMENU menu)
{
    std::vector<Entry> entries;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        entries.push_back({text, info.fType, info.fState, info.wID, info.hSubMenu});
    }
    return entries;
}

std::vector<std::string> TextsOf(HMENU menu)
{
    std::vector<std::string> texts;
    for (const Entry& e : EntriesOf(menu))
        texts.push_back(e.type & MFT_SEPARATOR ? "-" : e.text);
    return texts;
}

void PressChord(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        inputs.push_back(in);
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void CloseMenusSoon(std::function<void()> first)
{
    static std::function<void()> pending;
    pending = std::move(first);
    struct Closer {
        static void CALLBACK Close(HWND, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(nullptr, id);
            if (pending)
                std::exchange(pending, {})();
            EndMenu();
        }
    };
    SetTimer(nullptr, 0, 100, &Closer::Close);
}

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const char* name, const std::string& caption, EventLog* log)
{
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    if (log)
        item->OnClick = TNotifyEvent(log, &EventLog::Clicked);
    parent->Add(item);
    return item;
}

}  // namespace menustest
