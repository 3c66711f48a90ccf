// Shared pieces of the menu and action tests: native menus read back entry by entry, keys typed
// through the system's input queue, and a log of the clicks and executions that happen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/menus/action_list.h"
#include "framework/menus/actions.h"
#include "framework/menus/menu.h"
#include "tests/framework/controls/controls_test_support.h"

namespace menustest {

// One entry of a native menu as the system reports it.
struct Entry {
    std::string text;
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU subMenu = nullptr;
};
std::vector<Entry> EntriesOf(HMENU menu);
std::vector<std::string> TextsOf(HMENU menu);

// Types keys through SendInput to the foreground window: each key of `down` is pressed in order,
// then all are released in reverse order.
void PressChord(std::initializer_list<WORD> keys);

// Ends the menu mode shortly (a drop-down about to open is not on the screen yet); `first` runs
// just before, while the menus are still up.
void CloseMenusSoon(std::function<void()> first = {});

// Records who clicked or executed, by component name.
struct EventLog : TObject {
    std::vector<std::string> events;
    void Clicked(TObject* sender) { events.push_back(static_cast<TComponent*>(sender)->Name()); }
    // Logs the drop-down that opens and closes the menus again.
    void Opened(TObject* sender)
    {
        Clicked(sender);
        CloseMenusSoon();
    }
};

// Makes an item named `name` with `caption` under `parent`, owned by `owner`; its clicks go to `log`.
TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const char* name, const std::string& caption,
                   EventLog* log = nullptr);

}  // namespace menustest
