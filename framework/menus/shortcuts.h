// Keyboard shortcuts of menu items and actions: a virtual key in the low byte with Shift, Ctrl and
// Alt bits above it, and the texts that show and name them ("Ctrl+S", "Shift+F5").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/controls/messages.h"

using TShortCut = std::uint16_t;

constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// The shortcut of `key` with the modifiers of `shift`; 0 when the key does not fit in one byte.
TShortCut MakeShortCut(std::uint16_t key, TShiftState shift);
// "Shift+", "Ctrl+", "Alt+" for the bits that are set, then the key's name; empty when the key has
// no name.
std::string ShortcutDisplayText(TShortCut shortCut);
// The inverse: any number of leading "Shift+", "Ctrl+" (or "^") and "Alt+" in any order, then a key
// name, all compared without regard to case; 0 when nothing matches.
TShortCut ShortcutFromDisplayText(std::string_view text);
