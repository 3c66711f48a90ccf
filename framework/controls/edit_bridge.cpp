// The layer that makes an edit window which keeps UTF-16 and counts characters answer in bytes.
#include "framework/controls/edit_bridge.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/core/double_byte.h"
#include "framework/core/exceptions.h"
#include "platform/edit.h"
#include "platform/input.h"
#include "platform/locale.h"
#include "platform/window.h"

namespace {

// What such a window takes, measured under Wine 8 with texts of realistic and of pathological shape
// (the memo's tests and benchmark, and the platform notes):
// - The whole text is laid out at about a second per million units (100 MB of Japanese lines in 78 s)
//   and takes some 30 bytes per unit of the process's memory. Above 128 million units the window
//   freezes for minutes and the 32-bit process runs out of memory.
// - Without wrapping, each line is analysed as a whole: a line of 32 million units takes 14 s and
//   725 MB, one of 48 million crashes the process inside the text layout.
// - With wrapping, each wrapped row analyses the rest of its line again, so a line costs about the
//   square of its length, whatever its characters and the window's width: 128 thousand kanji take
//   41 s, a line of 256 KB of letters 148 s, one of 1-2 MB more than five minutes, and one of 4 MB
//   crashes the process. Texts whose squared line lengths add up to more than one line of 256K units
//   (2^36) are refused: they would freeze the window for minutes.
constexpr std::size_t kMaxUnits = std::size_t{128} << 20;
constexpr std::size_t kMaxUnwrappedLine = std::size_t{32} << 20;
constexpr std::uint64_t kMaxSquaredLines = std::uint64_t{1} << 36;

constexpr std::size_t kNothingChanges = static_cast<std::size_t>(-1);

LRESULT Call(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return platform::CallUnicodeWindowProc(platform::EditUnicodeProcedure(), window, message, wParam, lParam);
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(platform::WindowLong(window, GWL_STYLE)); }

bool Wraps(HWND window) { return (StyleOf(window) & ES_MULTILINE) && !(StyleOf(window) & ES_AUTOHSCROLL); }

void CheckTakes(HWND window, const edittext::TTextShape& shape)
{
    if (!UnicodeEditTakes(shape, Wraps(window)))
        throw EInvalidOperation(SMemoTextTooLarge);
}

// The bytes a typed character puts into the text: Enter puts a line break into a multi-line window,
// other control characters (backspace, Ctrl+letter commands) put nothing.
std::size_t TypedBytes(HWND window, wchar_t unit)
{
    if (unit == L'\r')
        return StyleOf(window) & ES_MULTILINE ? 2 : 0;
    if (unit < L' ' && unit != L'\t')
        return 0;
    return edittext::UnitBytes(unit);
}

// The longest start of `units` that stands for at most `bytes` bytes.
std::size_t UnitsWithin(std::wstring_view units, std::size_t bytes)
{
    std::size_t count = 0;
    for (std::size_t used = 0; count < units.size(); ++count) {
        used += edittext::UnitBytes(units[count]);
        if (used > bytes)
            break;
    }
    return count;
}

// The window's text, for the position map.
class TWindowUnits final : public TEditPositionMap::TSource {
public:
    explicit TWindowUnits(HWND window) : window_(window) {}
    std::size_t UnitCount() override { return static_cast<std::size_t>(Call(window_, WM_GETTEXTLENGTH)); }
    std::wstring FirstUnits(std::size_t count) override
    {
        std::wstring units(count + 1, L'\0');
        const LRESULT copied = Call(window_, WM_GETTEXT, count + 1, reinterpret_cast<LPARAM>(units.data()));
        units.resize(std::clamp<std::size_t>(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)), 0, count));
        return units;
    }

private:
    HWND window_;
};

// What a message the window handles itself may change: nothing, the text from the selection on, or
// anything.
enum class TReach { Nothing, FromSelection, Anything };

constexpr wchar_t kBackspace = 0x08, kCtrlX = 0x18, kCtrlZ = 0x1A;

TReach ReachOf(const TMessage& m)
{
    if (m.Msg >= WM_USER)  // the framework's own messages and registered ones: the window ignores them
        return TReach::Nothing;
    switch (m.Msg) {
    case WM_CHAR: return m.WParam == kCtrlZ ? TReach::Anything : TReach::FromSelection;
    case WM_KEYDOWN:  // Delete, Ctrl+Delete, Shift+Delete and Shift+Insert edit; other keys move
        return m.WParam == VK_DELETE || m.WParam == VK_INSERT ? TReach::FromSelection : TReach::Nothing;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case EM_REPLACESEL:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION: return TReach::FromSelection;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_COPY:
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_NCCALCSIZE:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_MOUSEACTIVATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
    case WM_NCACTIVATE:
    case WM_UPDATEUISTATE:
    case WM_QUERYUISTATE:
    case WM_CHANGEUISTATE:
    case WM_GETOBJECT:
    case WM_SYSCOLORCHANGE:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_TIMER:
    case WM_SIZE:
    case WM_MOVE:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    case WM_ENABLE:
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
    case WM_SETFONT:
    case WM_GETFONT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_GETDLGCODE:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_SETREDRAW:
    case WM_IME_SETCONTEXT:
    case WM_IME_NOTIFY:
    case WM_IME_STARTCOMPOSITION:
    case EM_GETSEL:
    case EM_SETSEL:
    case EM_GETRECT:
    case EM_SETRECT:
    case EM_SETRECTNP:
    case EM_SCROLL:
    case EM_LINESCROLL:
    case EM_SCROLLCARET:
    case EM_GETMODIFY:
    case EM_SETMODIFY:
    case EM_GETLINECOUNT:
    case EM_LINEINDEX:
    case EM_LINELENGTH:
    case EM_GETLINE:
    case EM_LIMITTEXT:
    case EM_CANUNDO:
    case EM_LINEFROMCHAR:
    case EM_SETTABSTOPS:
    case EM_SETPASSWORDCHAR:
    case EM_EMPTYUNDOBUFFER:
    case EM_GETFIRSTVISIBLELINE:
    case EM_SETREADONLY:
    case EM_GETPASSWORDCHAR:
    case EM_SETMARGINS:
    case EM_GETMARGINS:
    case EM_GETLIMITTEXT:
    case EM_POSFROMCHAR:
    case EM_CHARFROMPOS:
    case EM_GETTHUMB: return TReach::Nothing;
    default: return TReach::Anything;  // undo, a whole new text, a context menu, the window's end
    }
}

// Messages that take text out at the selection and put nothing in.
bool RemovesOnly(const TMessage& m)
{
    switch (m.Msg) {
    case WM_CHAR: return m.WParam == kBackspace || m.WParam == kCtrlX;
    case WM_KEYDOWN: return m.WParam == VK_DELETE;
    case WM_CUT:
    case WM_CLEAR: return true;
    default: return false;
    }
}

void SelectionUnits(HWND window, DWORD& start, DWORD& end)
{
    Call(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
}

std::size_t UnitCount(HWND window) { return static_cast<std::size_t>(Call(window, WM_GETTEXTLENGTH)); }

}  // namespace

bool UnicodeEditTakes(const edittext::TTextShape& shape, bool wraps)
{
    if (shape.Units > kMaxUnits)
        return false;
    return wraps ? shape.SquaredLines <= kMaxSquaredLines : shape.LongestLine <= kMaxUnwrappedLine;
}

void TEditBridge::Reset()
{
    positions_.Forget();
    pendingLead_.reset();
    limit_ = 0;
}

std::size_t TEditBridge::BytesBefore(HWND window, std::size_t unit)
{
    TWindowUnits source(window);
    return positions_.BytesBefore(unit, source);
}

std::size_t TEditBridge::TotalBytesOf(HWND window)
{
    TWindowUnits source(window);
    return positions_.TotalBytes(source);
}

std::size_t TEditBridge::UnitAt(HWND window, std::size_t bytes)
{
    TWindowUnits source(window);
    return positions_.UnitAt(bytes, source);
}

TEditBridge::TPassOn::TPassOn(TEditBridge& bridge, HWND window, const TMessage& m)
    : bridge_(bridge), window_(window), changesFrom_(kNothingChanges)
{
    switch (ReachOf(m)) {
    case TReach::Nothing: return;
    case TReach::Anything: changesFrom_ = 0; break;
    case TReach::FromSelection:
        SelectionUnits(window, start_, end_);
        length_ = UnitCount(window);
        // A backspace at the start of a line takes its break with it (CR LF, or CR CR LF after a soft break).
        changesFrom_ = start_ > 3 ? start_ - 3 : 0;
        atSelection_ = true;
        removesOnly_ = RemovesOnly(m);
        kept_ = bridge_.positions_.TakeOut();
        return;
    }
    bridge_.positions_.ChangedFrom(changesFrom_);
}

TEditBridge::TPassOn::~TPassOn()
{
    if (changesFrom_ == kNothingChanges)
        return;
    if (!atSelection_ || !bridge_.positions_.PutBack(std::move(kept_)) || !FollowChange())
        bridge_.positions_.ChangedFrom(changesFrom_);
}

bool TEditBridge::TPassOn::FollowChange()
{
    DWORD start = 0, end = 0;
    SelectionUnits(window_, start, end);
    const std::size_t length = UnitCount(window_);
    if (start != end)
        return false;
    if (inserted_) {
        // The selection became the inserted units, with the caret after them.
        if (length + (end_ - start_) != length_ + inserted_->size() || start != start_ + inserted_->size())
            return false;
        bridge_.positions_.Replaced(start_, end_, *inserted_);
        return true;
    }
    // Removed units end where the caret or the selection was, or begin at it.
    const std::size_t removed = length_ - length;
    if (!removesOnly_ || length >= length_ || start > start_ || start + removed < end_)
        return false;
    bridge_.positions_.Replaced(start, start + removed, {});
    return true;
}

bool TEditBridge::Translate(HWND window, TMessage& m)
{
    switch (m.Msg) {
    case WM_SETTEXT: m.Result = SetText(window, reinterpret_cast<const char*>(m.LParam)); return true;
    case WM_GETTEXT: m.Result = GetText(window, m.WParam, reinterpret_cast<char*>(m.LParam)); return true;
    case WM_GETTEXTLENGTH: m.Result = static_cast<LRESULT>(TotalBytesOf(window)); return true;
    case EM_GETSEL: AnswerSelection(window, m); return true;
    case EM_SETSEL: {
        // -1 keeps its meaning: no selection as start, the end of the text as end.
        auto unitOf = [&](std::intptr_t position) -> LPARAM {
            return position < 0 ? -1 : static_cast<LPARAM>(UnitAt(window, static_cast<std::size_t>(position)));
        };
        // Selecting scrolls nothing; the caret is brought into view by EM_SCROLLCARET.
        const LRESULT firstLine = Call(window, EM_GETFIRSTVISIBLELINE);
        m.Result = Call(window, EM_SETSEL, unitOf(static_cast<int>(m.WParam)), unitOf(static_cast<int>(m.LParam)));
        if (const LRESULT scrolled = Call(window, EM_GETFIRSTVISIBLELINE) - firstLine)
            Call(window, EM_LINESCROLL, 0, -scrolled);
        return true;
    }
    case EM_REPLACESEL: ReplaceSelection(window, m); return true;
    case EM_LINEFROMCHAR: {
        const int position = static_cast<int>(m.WParam);
        m.Result = Call(window, EM_LINEFROMCHAR,
                        position < 0 ? static_cast<WPARAM>(-1) : UnitAt(window, static_cast<std::size_t>(position)));
        return true;
    }
    case EM_LINEINDEX: {
        const LRESULT unit = Call(window, EM_LINEINDEX, m.WParam);
        m.Result = unit < 0 ? -1 : static_cast<LRESULT>(BytesBefore(window, static_cast<std::size_t>(unit)));
        return true;
    }
    case EM_LINELENGTH: m.Result = LineLength(window, static_cast<int>(m.WParam)); return true;
    case EM_GETLINE:
        m.Result = GetLine(window, static_cast<int>(m.WParam), reinterpret_cast<char*>(m.LParam));
        return true;
    case EM_POSFROMCHAR: m.Result = Call(window, EM_POSFROMCHAR, UnitAt(window, m.WParam)); return true;
    case EM_CHARFROMPOS: m.Result = CharFromPos(window, m.LParam); return true;
    case WM_CHAR: return TypeByte(window, m);
    case EM_LIMITTEXT:
        // The window counts the limit in characters, never fewer than the bytes: the bridge keeps to bytes.
        limit_ = m.WParam;
        return false;
    case WM_PASTE: return PasteWithinLimit(window);
    case WM_KEYDOWN:
        // Shift+Insert pastes inside the window without a WM_PASTE.
        if (m.WParam == VK_INSERT && platform::KeyIsDown(VK_SHIFT) && !platform::KeyIsDown(VK_CONTROL))
            return PasteWithinLimit(window);
        return false;
    default: return false;
    }
}

LRESULT TEditBridge::SetText(HWND window, const char* text)
{
    edittext::TEncodedText encoded = edittext::Encode(text ? text : "");
    if (!UnicodeEditTakes(encoded.Shape, Wraps(window)))
        return 0;
    positions_.Forget();
    const LRESULT result = Call(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(encoded.Units.c_str()));
    positions_.Forget();
    // The window holds the units as given unless it converts letters or refused part of them.
    const DWORD style = StyleOf(window);
    if (result && !(style & (ES_UPPERCASE | ES_LOWERCASE | ES_OEMCONVERT)) &&
        static_cast<std::size_t>(Call(window, WM_GETTEXTLENGTH)) == encoded.Units.size())
        positions_.Adopt(std::move(encoded));
    return result;
}

LRESULT TEditBridge::GetText(HWND window, std::size_t capacity, char* buffer)
{
    if (!buffer || capacity == 0)
        return 0;
    TWindowUnits source(window);
    // Every unit stands for at least one byte: the units beyond capacity - 1 cannot fit.
    const std::string text = edittext::Decode(source.FirstUnits(std::min(source.UnitCount(), capacity - 1)));
    const std::size_t count = std::min(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}

void TEditBridge::AnswerSelection(HWND window, TMessage& m)
{
    DWORD start = 0, end = 0;
    SelectionUnits(window, start, end);
    const auto startBytes = static_cast<DWORD>(BytesBefore(window, start));
    const auto endBytes = static_cast<DWORD>(BytesBefore(window, end));
    if (auto* out = reinterpret_cast<DWORD*>(m.WParam))
        *out = startBytes;
    if (auto* out = reinterpret_cast<DWORD*>(m.LParam))
        *out = endBytes;
    m.Result = startBytes > 0xFFFF || endBytes > 0xFFFF ? -1 : static_cast<LRESULT>(MAKELONG(startBytes, endBytes));
}

void TEditBridge::ReplaceSelection(HWND window, TMessage& m)
{
    const auto* text = reinterpret_cast<const char*>(m.LParam);
    edittext::TEncodedText encoded = edittext::Encode(text ? text : "");
    CheckTakes(window, encoded.Shape);
    if (encoded.Bytes > Room(window))
        encoded.Units.resize(UnitsWithin(encoded.Units, Room(window)));
    TPassOn scope(*this, window, m);
    scope.Inserts(encoded.Units);
    m.Result = Call(window, EM_REPLACESEL, m.WParam, reinterpret_cast<LPARAM>(encoded.Units.c_str()));
}

bool TEditBridge::PasteWithinLimit(HWND window)
{
    std::wstring text = platform::ClipboardUnicodeText();
    CheckTakes(window, edittext::ShapeOf(text));
    if (StyleOf(window) & ES_READONLY)
        return false;
    // A single line takes the clipboard's first line only, as the window's own paste does.
    if (!(StyleOf(window) & ES_MULTILINE))
        text = text.substr(0, text.find_first_of(L"\r\n"));
    const std::size_t room = Room(window);
    const std::size_t fits = UnitsWithin(text, room);
    if (fits == text.size())
        return false;
    text.resize(fits);
    NotifyLimit(window);
    TPassOn scope(*this, window, TMessage{EM_REPLACESEL, 0, 0, 0});
    Call(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

std::size_t TEditBridge::Room(HWND window)
{
    if (limit_ == 0)
        return static_cast<std::size_t>(-1);
    DWORD start = 0, end = 0;
    SelectionUnits(window, start, end);
    const std::size_t kept = BytesBefore(window, start) + (TotalBytesOf(window) - BytesBefore(window, end));
    return kept >= limit_ ? 0 : limit_ - kept;
}

void TEditBridge::NotifyLimit(HWND window)
{
    if (HWND parent = platform::ParentWindow(window))
        platform::SendMessage(
            parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(platform::WindowLong(window, GWL_ID)), EN_MAXTEXT),
            reinterpret_cast<LPARAM>(window));
}

LRESULT TEditBridge::LineLength(HWND window, int position)
{
    if (position >= 0) {
        const std::size_t unit = UnitAt(window, static_cast<std::size_t>(position));
        const LRESULT start = Call(window, EM_LINEINDEX, Call(window, EM_LINEFROMCHAR, unit));
        if (start < 0)
            return 0;
        const LRESULT length = Call(window, EM_LINELENGTH, unit);
        const auto first = static_cast<std::size_t>(start);
        return static_cast<LRESULT>(BytesBefore(window, first + length) - BytesBefore(window, first));
    }
    // -1: the unselected bytes on the lines the selection touches.
    DWORD start = 0, end = 0;
    SelectionUnits(window, start, end);
    const auto firstLineStart =
        static_cast<std::size_t>(Call(window, EM_LINEINDEX, Call(window, EM_LINEFROMCHAR, start)));
    const auto lastLineStart = static_cast<std::size_t>(Call(window, EM_LINEINDEX, Call(window, EM_LINEFROMCHAR, end)));
    const auto lastLineEnd = lastLineStart + static_cast<std::size_t>(Call(window, EM_LINELENGTH, end));
    return static_cast<LRESULT>(
        BytesBefore(window, start) - BytesBefore(window, firstLineStart) +
        BytesBefore(window, std::max<std::size_t>(lastLineEnd, end)) - BytesBefore(window, end));
}

LRESULT TEditBridge::GetLine(HWND window, int line, char* buffer)
{
    if (!buffer)
        return 0;
    std::uint16_t capacity = 0;
    std::memcpy(&capacity, buffer, sizeof capacity);
    const LRESULT start = Call(window, EM_LINEINDEX, static_cast<WPARAM>(line));
    if (start < 0 || capacity == 0)
        return 0;
    // Every unit stands for at least one byte: no more units than the capacity in bytes are needed.
    const auto length = static_cast<std::size_t>(Call(window, EM_LINELENGTH, static_cast<WPARAM>(start)));
    const std::size_t wanted = std::min<std::size_t>(length, capacity);
    if (wanted == 0)
        return 0;
    std::wstring units(std::max<std::size_t>(wanted, 1), L'\0');
    units[0] = static_cast<wchar_t>(wanted);
    const LRESULT copied = Call(window, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(units.data()));
    units.resize(std::clamp<std::size_t>(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)), 0, wanted));
    const std::string text = edittext::Decode(units);
    const std::size_t count = std::min<std::size_t>(text.size(), capacity);
    // A line the edit window copies out carries no terminating zero.
    std::copy_n(text.data(), count, buffer);
    return static_cast<LRESULT>(count);
}

LRESULT TEditBridge::CharFromPos(HWND window, LPARAM point)
{
    const LRESULT answer = Call(window, EM_CHARFROMPOS, 0, point);
    if (answer == -1)
        return -1;
    const auto line = static_cast<std::size_t>(HIWORD(answer));
    auto unit = static_cast<std::size_t>(LOWORD(answer));
    // The answer carries 16 bits of the position: the full one lies at or after the start of its line.
    const LRESULT lineStart = Call(window, EM_LINEINDEX, line);
    if (lineStart > 0xFFFF)
        unit = static_cast<std::size_t>(lineStart) + ((unit - static_cast<std::size_t>(lineStart)) & 0xFFFF);
    return MAKELONG(BytesBefore(window, unit) & 0xFFFF, line);
}

bool TEditBridge::TypeByte(HWND window, TMessage& m)
{
    if (m.WParam > 0xFF)
        return false;
    const auto byte = static_cast<char>(m.WParam);
    if (pendingLead_) {
        const char lead = *pendingLead_;
        pendingLead_.reset();
        if (dbcs::IsTrailByte(byte)) {
            TypeUnit(window, edittext::TypedChar(lead, byte), m.LParam);
            return true;
        }
        // A lead byte without its trail reaches the window as the system converts it alone.
        TypeUnit(window, platform::AnsiCharToWide(&lead, 1), m.LParam);
    }
    if (dbcs::IsLeadByte(byte)) {
        pendingLead_ = byte;
        m.Result = 0;
        return true;
    }
    TypeUnit(window, platform::AnsiCharToWide(&byte, 1), m.LParam);
    return true;
}

void TEditBridge::TypeUnit(HWND window, wchar_t unit, LPARAM keyData)
{
    if (TypedBytes(window, unit) > Room(window)) {
        NotifyLimit(window);
        return;
    }
    TPassOn scope(*this, window, TMessage{WM_CHAR, unit, keyData, 0});
    const std::wstring_view line = L"\r\n";
    if (unit == L'\r')
        scope.Inserts(StyleOf(window) & ES_MULTILINE ? line : line.substr(0, 0));
    else if (unit >= L' ' || unit == L'\t')
        scope.Inserts(std::wstring_view(&unit, 1));
    Call(window, WM_CHAR, unit, keyData);
}
