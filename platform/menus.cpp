// Native menus, the system version and key names.
#include "platform/menus.h"

namespace platform {

HMENU CreateMenuBar() { return ::CreateMenu(); }

HMENU CreatePopupMenu() { return ::CreatePopupMenu(); }

bool DestroyMenu(HMENU menu) { return ::DestroyMenu(menu) != FALSE; }

bool IsMenu(HMENU menu) { return menu && ::IsMenu(menu); }

bool AppendMenuEntry(HMENU menu, UINT type, UINT state, UINT id, HMENU subMenu, const std::string& text)
{
    MENUITEMINFOA info{};
    info.cbSize = 44;  // the size every system since version 4 accepts
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
    info.fType = type;
    info.fState = state;
    info.wID = id;
    info.hSubMenu = subMenu;
    // An owner-drawn entry has no text: the system would take the pointer for the item's data.
    info.dwTypeData = (type & MFT_OWNERDRAW) ? nullptr : const_cast<char*>(text.c_str());
    return ::InsertMenuItemA(menu, static_cast<UINT>(-1), TRUE, &info) != FALSE;
}

bool AppendMenuEntryOld(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, const std::string& text)
{
    return ::InsertMenuA(menu, static_cast<UINT>(-1), flags | MF_BYPOSITION, idOrSubMenu, text.c_str()) != FALSE;
}

bool RemoveMenuEntry(HMENU menu, int position) { return ::RemoveMenu(menu, position, MF_BYPOSITION) != FALSE; }

int MenuEntryCount(HMENU menu) { return ::GetMenuItemCount(menu); }

UINT MenuEntryState(HMENU menu, int position) { return ::GetMenuState(menu, position, MF_BYPOSITION); }

UINT MenuEntryId(HMENU menu, int position) { return ::GetMenuItemID(menu, position); }

HMENU MenuEntrySubMenu(HMENU menu, int position) { return ::GetSubMenu(menu, position); }

std::string MenuEntryText(HMENU menu, int position)
{
    int length = ::GetMenuStringA(menu, position, nullptr, 0, MF_BYPOSITION);
    if (length <= 0)
        return {};
    std::string text(length + 1, '\0');
    length = ::GetMenuStringA(menu, position, text.data(), length + 1, MF_BYPOSITION);
    text.resize(length > 0 ? length : 0);
    return text;
}

UINT MenuEntryType(HMENU menu, int position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoA(menu, position, TRUE, &info) ? info.fType : 0;
}

bool DrawMenuBar(HWND window) { return ::DrawMenuBar(window) != FALSE; }

bool SetWindowMenu(HWND window, HMENU menu) { return ::SetMenu(window, menu) != FALSE; }

HMENU WindowMenu(HWND window) { return ::GetMenu(window); }

UINT TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner)
{
    return static_cast<UINT>(::TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr));
}

bool EndMenu() { return ::EndMenu() != FALSE; }

unsigned SystemMajorVersion() { return LOBYTE(LOWORD(::GetVersion())); }

std::string KeyNameText(UINT virtualKey)
{
    UINT scanCode = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    if (scanCode == 0)
        return {};
    char name[256];
    int length = ::GetKeyNameTextA(static_cast<LONG>(scanCode) << 16, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

}  // namespace platform
