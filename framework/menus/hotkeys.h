// Hotkeys in menu captions: a single "&" marks the next character, "&&" is a literal ampersand,
// and in a far-east locale a hotkey may stand after the text as "(&X)". Every scan walks the
// caption character by character, so a trail byte is never taken for a marker.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The hotkey character of a caption (one character, possibly double-byte), or empty.
std::string HotkeyOf(std::string_view caption);
// The caption without its markers: each single "&" goes, a literal "&&" stays as it is; in a
// far-east locale an "(&X)" goes whole.
std::string RemoveHotkey(std::string_view caption, bool farEast);
// The caption as a menu shows it: without its hotkey marker, a literal "&&" as one "&".
std::string ShownCaption(std::string_view caption, bool farEast);
// Equal after RemoveHotkey on both, compared without regard to case in the ANSI code page.
bool SameCaption(std::string_view a, std::string_view b, bool farEast);

// Gives `caption` the hotkey `key` the far-east way: appended as "(&X)" (before a trailing "...")
// when the caption holds double-byte characters, else "&" inserted at `position` (nothing when
// `position` is npos).
std::string MarkHotkeyFarEast(std::string caption, char key, std::size_t position);

// The automatic hotkey pass over the captions of sibling entries (visible ones, neither "-" nor
// empty), in menu order: duplicate markers are dropped and entries without a hotkey get a free
// character. Changes `captions` in place; answers whether any entry took part in the assignment.
bool AssignAutomaticHotkeys(std::vector<std::string>& captions, bool farEast);
