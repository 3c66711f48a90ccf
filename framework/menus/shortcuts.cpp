// Shortcut values and their display texts; key names come from the string table or the keyboard
// driver.
#include "framework/menus/shortcuts.h"

#include "framework/core/exceptions.h"
#include "platform/locale.h"
#include "platform/menus.h"

TShortCut MakeShortCut(std::uint16_t key, TShiftState shift)
{
    if (key > 0xFF)
        return scNone;
    TShortCut result = key;
    if (shift.Contains(ssShift))
        result |= scShift;
    if (shift.Contains(ssCtrl))
        result |= scCtrl;
    if (shift.Contains(ssAlt))
        result |= scAlt;
    return result;
}

namespace {

std::string KeyName(unsigned key)
{
    if (key == 0x08 || key == 0x09)
        return LoadResString(SmkcBkSp + (key - 0x08));
    if (key == 0x0D)
        return LoadResString(SmkcEnter);
    if (key == 0x1B)
        return LoadResString(SmkcEsc);
    if (key >= 0x20 && key <= 0x28)  // space, page up and down, end, home, the arrows
        return LoadResString(SmkcSpace + (key - 0x20));
    if (key == 0x2D || key == 0x2E)
        return LoadResString(SmkcIns + (key - 0x2D));
    if (key >= '0' && key <= '9')
        return std::string(1, static_cast<char>(key));
    if (key >= 'A' && key <= 'Z')
        return std::string(1, static_cast<char>(key));
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return std::string(1, static_cast<char>('0' + key - VK_NUMPAD0));
    if (key >= VK_F1 && key <= VK_F24)
        return "F" + std::to_string(key - VK_F1 + 1);
    return platform::KeyNameText(key);
}

// Removes `front` from the start of `text` when it is there, ignoring case.
bool TakeFront(std::string_view& text, const std::string& front)
{
    if (front.empty() || text.size() < front.size() ||
        platform::CompareAnsi(text.substr(0, front.size()), front, true) != 0)
        return false;
    text.remove_prefix(front.size());
    return true;
}

}  // namespace

std::string ShortcutDisplayText(TShortCut shortCut)
{
    std::string name = KeyName(shortCut & 0xFF);
    if (name.empty())
        return {};
    std::string result;
    if (shortCut & scShift)
        result += LoadResString(SmkcShift);
    if (shortCut & scCtrl)
        result += LoadResString(SmkcCtrl);
    if (shortCut & scAlt)
        result += LoadResString(SmkcAlt);
    return result + name;
}

TShortCut ShortcutFromDisplayText(std::string_view text)
{
    const std::string shift = LoadResString(SmkcShift), ctrl = LoadResString(SmkcCtrl), alt = LoadResString(SmkcAlt);
    TShortCut modifiers = 0;
    for (;;) {
        if (TakeFront(text, shift))
            modifiers |= scShift;
        else if (TakeFront(text, "^") || TakeFront(text, ctrl))
            modifiers |= scCtrl;
        else if (TakeFront(text, alt))
            modifiers |= scAlt;
        else
            break;
    }
    if (text.empty())
        return scNone;
    for (unsigned key = 0x08; key <= 0xFF; ++key) {
        std::string name = ShortcutDisplayText(static_cast<TShortCut>(key));
        if (!name.empty() && platform::CompareAnsi(text, name, true) == 0)
            return static_cast<TShortCut>(key | modifiers);
    }
    return scNone;
}
