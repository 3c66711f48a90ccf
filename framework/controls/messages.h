// The framework's own window messages, the notification messages by which system messages are
// reflected to the control they concern, and the small records key and mouse handlers share.
#pragma once

#include <cstdint>

#include "framework/core/object.h"
#include "framework/core/set.h"
#include "framework/core/type_info.h"
#include "platform/win32.h"

// Component messages.
constexpr std::uint32_t CMSG_BASE = 0xB000;
constexpr std::uint32_t CMSG_ACTIVATE = 0xB000;
constexpr std::uint32_t CMSG_DEACTIVATE = 0xB001;
constexpr std::uint32_t CMSG_CANCELMODE = 0xB004;
constexpr std::uint32_t CMSG_DIALOGKEY = 0xB005;
constexpr std::uint32_t CMSG_DIALOGCHAR = 0xB006;
constexpr std::uint32_t CMSG_FOCUSCHANGED = 0xB007;
constexpr std::uint32_t CMSG_PARENTFONTCHANGED = 0xB008;
constexpr std::uint32_t CMSG_PARENTCOLORCHANGED = 0xB009;
constexpr std::uint32_t CMSG_VISIBLECHANGED = 0xB00B;
constexpr std::uint32_t CMSG_ENABLEDCHANGED = 0xB00C;
constexpr std::uint32_t CMSG_COLORCHANGED = 0xB00D;
constexpr std::uint32_t CMSG_FONTCHANGED = 0xB00E;
constexpr std::uint32_t CMSG_CURSORCHANGED = 0xB00F;
constexpr std::uint32_t CMSG_CTL3DCHANGED = 0xB010;
constexpr std::uint32_t CMSG_PARENTCTL3DCHANGED = 0xB011;
constexpr std::uint32_t CMSG_TEXTCHANGED = 0xB012;
constexpr std::uint32_t CMSG_MOUSEENTER = 0xB013;
constexpr std::uint32_t CMSG_MOUSELEAVE = 0xB014;
constexpr std::uint32_t CMSG_MENUCHANGED = 0xB015;
constexpr std::uint32_t CMSG_APPKEYDOWN = 0xB016;
constexpr std::uint32_t CMSG_APPSYSCOMMAND = 0xB017;
constexpr std::uint32_t CMSG_SHOWINGCHANGED = 0xB019;
constexpr std::uint32_t CMSG_ENTER = 0xB01A;
constexpr std::uint32_t CMSG_EXIT = 0xB01B;
constexpr std::uint32_t CMSG_WANTSPECIALKEY = 0xB01E;
constexpr std::uint32_t CMSG_INVOKEHELP = 0xB01F;
constexpr std::uint32_t CMSG_WINDOWHOOK = 0xB020;
constexpr std::uint32_t CMSG_RELEASE = 0xB021;
constexpr std::uint32_t CMSG_SHOWHINTCHANGED = 0xB022;
constexpr std::uint32_t CMSG_PARENTSHOWHINTCHANGED = 0xB023;
constexpr std::uint32_t CMSG_CHILDKEY = 0xB02E;
constexpr std::uint32_t CMSG_HINTSHOW = 0xB030;
constexpr std::uint32_t CMSG_DIALOGHANDLE = 0xB031;
constexpr std::uint32_t CMSG_RECREATEWND = 0xB033;
constexpr std::uint32_t CMSG_INVALIDATE = 0xB034;
constexpr std::uint32_t CMSG_CHANGED = 0xB037;  // lParam: the control whose content changed
constexpr std::uint32_t CMSG_BIDIMODECHANGED = 0xB03C;
constexpr std::uint32_t CMSG_PARENTBIDIMODECHANGED = 0xB03D;
constexpr std::uint32_t CMSG_ACTIONUPDATE = 0xB03F;
constexpr std::uint32_t CMSG_ACTIONEXECUTE = 0xB040;
constexpr std::uint32_t CMSG_HINTSHOWPAUSE = 0xB041;

// Notification messages: a system message n reflected to its control arrives as CN_BASE + n.
constexpr std::uint32_t CN_BASE = 0xBC00;
constexpr std::uint32_t CN_DRAWITEM = CN_BASE + 0x002B;
constexpr std::uint32_t CN_MEASUREITEM = CN_BASE + 0x002C;
constexpr std::uint32_t CN_DELETEITEM = CN_BASE + 0x002D;
constexpr std::uint32_t CN_VKEYTOITEM = CN_BASE + 0x002E;
constexpr std::uint32_t CN_CHARTOITEM = CN_BASE + 0x002F;
constexpr std::uint32_t CN_COMPAREITEM = CN_BASE + 0x0039;
constexpr std::uint32_t CN_NOTIFY = CN_BASE + 0x004E;
constexpr std::uint32_t CN_KEYDOWN = CN_BASE + 0x0100;
constexpr std::uint32_t CN_KEYUP = CN_BASE + 0x0101;
constexpr std::uint32_t CN_CHAR = CN_BASE + 0x0102;
constexpr std::uint32_t CN_SYSKEYDOWN = CN_BASE + 0x0104;
constexpr std::uint32_t CN_SYSCHAR = CN_BASE + 0x0106;
constexpr std::uint32_t CN_COMMAND = CN_BASE + 0x0111;
constexpr std::uint32_t CN_HSCROLL = CN_BASE + 0x0114;
constexpr std::uint32_t CN_VSCROLL = CN_BASE + 0x0115;
constexpr std::uint32_t CN_CTLCOLORMSGBOX = CN_BASE + 0x0132;
constexpr std::uint32_t CN_CTLCOLORSTATIC = CN_BASE + 0x0138;

enum TShiftStateElement { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateElement>;
const TTypeInfo& TypeInfoFor(TShiftStateElement*);

enum TMouseButton { mbLeft, mbRight, mbMiddle };
const TTypeInfo& TypeInfoFor(TMouseButton*);

// Pieces of a message's parameters.
inline std::int16_t LowWordSigned(std::intptr_t value) { return static_cast<std::int16_t>(value & 0xFFFF); }
inline std::int16_t HighWordSigned(std::intptr_t value) { return static_cast<std::int16_t>((value >> 16) & 0xFFFF); }
inline std::intptr_t MakeLParam(int low, int high)
{
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) | (low & 0xFFFF));
}

// The shift state of a mouse message's MK_ flags, with the current state of the Alt key.
TShiftState KeysToShiftState(std::uintptr_t keys);
// The shift state of a key message's key data (Alt from bit 29), with the current Shift and Ctrl.
TShiftState KeyDataToShiftState(std::intptr_t keyData);

// Named views of the parameters of the messages the handlers read: each reads (and, where a handler
// answers through the parameters, writes) the record in place, so a view costs nothing.
class TMouseMsg {  // WM_xBUTTONxxx, WM_MOUSEMOVE, WM_NCHITTEST (screen point)
public:
    explicit TMouseMsg(const TMessage& m) : m_(m) {}
    std::uintptr_t Keys() const { return m_.WParam; }
    TShiftState Shift() const { return KeysToShiftState(m_.WParam); }
    POINT Pos() const { return {LowWordSigned(m_.LParam), HighWordSigned(m_.LParam)}; }

private:
    const TMessage& m_;
};

class TMouseWheelMsg {  // WM_MOUSEWHEEL: keys and delta, then the screen point
public:
    explicit TMouseWheelMsg(const TMessage& m) : m_(m) {}
    TShiftState Shift() const { return KeysToShiftState(m_.WParam & 0xFFFF); }
    int WheelDelta() const { return HighWordSigned(static_cast<std::intptr_t>(m_.WParam)); }
    POINT Pos() const { return {LowWordSigned(m_.LParam), HighWordSigned(m_.LParam)}; }

private:
    const TMessage& m_;
};

class TKeyMsg {  // WM_KEYDOWN/UP, WM_CHAR, WM_SYSxxx and their reflections: a handler may change the code
public:
    explicit TKeyMsg(TMessage& m) : m_(m) {}
    std::uint16_t CharCode() const { return static_cast<std::uint16_t>(m_.WParam & 0xFFFF); }
    void SetCharCode(std::uint16_t code) { m_.WParam = code; }
    std::intptr_t KeyData() const { return m_.LParam; }
    TShiftState Shift() const { return KeyDataToShiftState(m_.LParam); }

private:
    TMessage& m_;
};

class TSizeMsg {  // WM_SIZE
public:
    explicit TSizeMsg(const TMessage& m) : m_(m) {}
    std::uintptr_t SizeType() const { return m_.WParam; }  // SIZE_RESTORED, SIZE_MINIMIZED, ...
    int Width() const { return static_cast<std::uint16_t>(m_.LParam & 0xFFFF); }
    int Height() const { return static_cast<std::uint16_t>((m_.LParam >> 16) & 0xFFFF); }

private:
    const TMessage& m_;
};

class TCommandMsg {  // WM_COMMAND: a menu command has no control window
public:
    explicit TCommandMsg(const TMessage& m) : m_(m) {}
    std::uint16_t ItemId() const { return static_cast<std::uint16_t>(m_.WParam & 0xFFFF); }
    std::uint16_t NotifyCode() const { return static_cast<std::uint16_t>((m_.WParam >> 16) & 0xFFFF); }
    HWND Control() const { return reinterpret_cast<HWND>(m_.LParam); }

private:
    const TMessage& m_;
};

class TSetCursorMsg {  // WM_SETCURSOR
public:
    explicit TSetCursorMsg(const TMessage& m) : m_(m) {}
    HWND Window() const { return reinterpret_cast<HWND>(m_.WParam); }
    int HitTest() const { return LowWordSigned(m_.LParam); }
    std::uint16_t MouseMsg() const { return static_cast<std::uint16_t>((m_.LParam >> 16) & 0xFFFF); }

private:
    const TMessage& m_;
};

class TSysCommandMsg {  // WM_SYSCOMMAND
public:
    explicit TSysCommandMsg(const TMessage& m) : m_(m) {}
    std::uintptr_t Command() const { return m_.WParam & 0xFFF0; }
    std::uint16_t Key() const { return static_cast<std::uint16_t>(m_.LParam & 0xFFFF); }  // SC_KEYMENU's character

private:
    const TMessage& m_;
};

class TMenuCharMsg {  // WM_MENUCHAR: the typed character, the kind of menu, the open menu
public:
    explicit TMenuCharMsg(const TMessage& m) : m_(m) {}
    char User() const { return static_cast<char>(m_.WParam & 0xFF); }
    std::uint16_t MenuFlag() const { return static_cast<std::uint16_t>((m_.WParam >> 16) & 0xFFFF); }
    HMENU Menu() const { return reinterpret_cast<HMENU>(m_.LParam); }

private:
    const TMessage& m_;
};

class TMenuSelectMsg {  // WM_MENUSELECT: an entry's command (or position of a submenu), its flags, its menu
public:
    explicit TMenuSelectMsg(const TMessage& m) : m_(m) {}
    std::uint16_t IdItem() const { return static_cast<std::uint16_t>(m_.WParam & 0xFFFF); }
    std::uint16_t MenuFlag() const { return static_cast<std::uint16_t>((m_.WParam >> 16) & 0xFFFF); }
    HMENU Menu() const { return reinterpret_cast<HMENU>(m_.LParam); }

private:
    const TMessage& m_;
};

class TInitMenuPopupMsg {  // WM_INITMENUPOPUP: the drop-down about to open
public:
    explicit TInitMenuPopupMsg(const TMessage& m) : m_(m) {}
    HMENU MenuPopup() const { return reinterpret_cast<HMENU>(m_.WParam); }
    bool SystemMenu() const { return ((m_.LParam >> 16) & 0xFFFF) != 0; }

private:
    const TMessage& m_;
};
