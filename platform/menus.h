// Native menus: making and filling them, reading their entries back, attaching a menu bar to a
// window and tracking a popup menu; the keyboard driver's key names for shortcut texts.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform {

HMENU CreateMenuBar();  // CreateMenu
HMENU CreatePopupMenu();
bool DestroyMenu(HMENU menu);
bool IsMenu(HMENU menu);

// Appends an entry at the end (InsertMenuItemA by position) with a 44-byte MENUITEMINFO whose mask
// names state, identifier, submenu, check-mark bitmaps, type and data. An owner-drawn entry
// (MFT_OWNERDRAW) is given no text.
bool AppendMenuEntry(HMENU menu, UINT type, UINT state, UINT id, HMENU subMenu, const std::string& text);
// Appends an entry the way systems before version 4 do (InsertMenuA by position); `idOrSubMenu` is
// the submenu handle when `flags` has MF_POPUP.
bool AppendMenuEntryOld(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, const std::string& text);
bool RemoveMenuEntry(HMENU menu, int position);  // RemoveMenu by position (a submenu stays alive)

int MenuEntryCount(HMENU menu);                       // GetMenuItemCount
UINT MenuEntryState(HMENU menu, int position);        // GetMenuState by position
UINT MenuEntryId(HMENU menu, int position);           // GetMenuItemID (0xFFFFFFFF for a submenu)
HMENU MenuEntrySubMenu(HMENU menu, int position);     // GetSubMenu
std::string MenuEntryText(HMENU menu, int position);  // GetMenuStringA by position
UINT MenuEntryType(HMENU menu, int position);         // GetMenuItemInfoA: fType

bool DrawMenuBar(HWND window);
bool SetWindowMenu(HWND window, HMENU menu);  // SetMenu
HMENU WindowMenu(HWND window);                // GetMenu
// Shows a popup menu and waits for the choice (TrackPopupMenu); returns the chosen identifier
// when `flags` has TPM_RETURNCMD.
UINT TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner);
bool EndMenu();  // ends the menu mode of the calling thread

// The major version of the system (the low byte of GetVersion).
unsigned SystemMajorVersion();
// The keyboard driver's name of a virtual key (MapVirtualKeyA to its scan code, GetKeyNameTextA);
// empty when the key has no scan code or no name.
std::string KeyNameText(UINT virtualKey);

}  // namespace platform
