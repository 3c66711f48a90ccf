// The layer that makes an edit window which keeps UTF-16 and counts characters answer in bytes.
#include "framework/controls/edit_bridge.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/core/double_byte.h"
#include "framework/core/exceptions.h"
#include "platform/clipboard.h"
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
// - With wrapping, a keystroke lays out its whole line again: near the start of an unbroken line of
//   kanji it takes 0.2 s at 8K units, 0.6 s at 16K, 1.6-2.0 s at 32K, 7.3 s at 64K (letters and
//   words cost less). Lines are kept to kMaxWrappedLine units, where a keystroke takes at most about
//   half a second (memo_bench's "line" part). Windows has no such limit.
constexpr std::size_t kMaxUnits = std::size_t{128} << 20;
constexpr std::size_t kMaxUnwrappedLine = std::size_t{32} << 20;
constexpr std::size_t kMaxWrappedLine = std::size_t{12} << 10;
constexpr std::uint64_t kMaxSquaredLines = std::uint64_t{1} << 36;

constexpr std::size_t kNothingChanges = static_cast<std::size_t>(-1);

LRESULT Call(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return platform::CallUnicodeWindowProc(platform::EditUnicodeProcedure(), window, message, wParam, lParam);
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(platform::WindowLong(window, GWL_STYLE)); }

bool Wraps(HWND window) { return (StyleOf(window) & ES_MULTILINE) && !(StyleOf(window) & ES_AUTOHSCROLL); }

// The units a typed character puts in place of the selection: Enter puts a line break into a
// multi-line window, other control characters (backspace, Ctrl+letter commands) put nothing.
std::wstring_view TypedUnits(HWND window, const wchar_t& unit)
{
    if (unit == L'\r')
        return StyleOf(window) & ES_MULTILINE ? L"\r\n" : L"";
    if (unit < L' ' && unit != L'\t')
        return {};
    return std::wstring_view(&unit, 1);
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

// What a message the window handles itself may change: nothing, the text from the selection on (an
// undo: anywhere), or anything. The messages the window sends itself for its menu and keys (WM_CUT
// and the like) come back through here each on its own.
enum class TReach { Nothing, FromSelection, Undo, Anything };

constexpr wchar_t kBackspace = 0x08, kCtrlC = 0x03, kCtrlV = 0x16, kCtrlX = 0x18, kCtrlZ = 0x1A;

TReach ReachOf(const TMessage& m)
{
    switch (m.Msg) {
    case WM_CHAR: return m.WParam == kCtrlZ ? TReach::Undo : TReach::FromSelection;
    case WM_KEYDOWN:  // Delete, Ctrl+Delete, Shift+Delete and Shift+Insert edit; other keys move
        return m.WParam == VK_DELETE || m.WParam == VK_INSERT ? TReach::FromSelection : TReach::Nothing;
    case WM_SYSKEYDOWN: return m.WParam == VK_BACK ? TReach::Undo : TReach::Nothing;  // Alt+Backspace
    case WM_UNDO:
    case EM_UNDO: return TReach::Undo;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case EM_REPLACESEL:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION: return TReach::FromSelection;
    case WM_SETTEXT:
    case WM_CREATE:
    case WM_NCCREATE:
    case WM_DESTROY:
    case WM_NCDESTROY:
    case WM_CONTEXTMENU:
    case EM_SETHANDLE:
    case EM_FMTLINES: return TReach::Anything;
    default: return TReach::Nothing;  // no other message edits the text
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
    if (wraps)
        return shape.LongestLine <= kMaxWrappedLine && shape.SquaredLines <= kMaxSquaredLines;
    return shape.LongestLine <= kMaxUnwrappedLine;
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

std::size_t TEditBridge::UnitCountOf(HWND window)
{
    TWindowUnits source(window);
    return positions_.UnitCount(source);
}

std::size_t TEditBridge::UnitAt(HWND window, std::size_t bytes)
{
    TWindowUnits source(window);
    return positions_.UnitAt(bytes, source);
}

// ---- Following the window's own changes ----

TEditBridge::TPassOn::TPassOn(TEditBridge& bridge, HWND window, const TMessage& m)
    : bridge_(bridge), window_(window), changesFrom_(kNothingChanges)
{
    const TReach reach = ReachOf(m);
    switch (reach) {
    case TReach::Nothing: return;
    case TReach::Anything: changesFrom_ = 0; break;
    case TReach::FromSelection:
    case TReach::Undo:
        SelectionUnits(window, start_, end_);
        length_ = bridge_.UnitCountOf(window);
        // A backspace at the start of a line takes its break with it (CR LF, or CR CR LF after a soft
        // break); an undo may change the text anywhere.
        changesFrom_ = reach == TReach::Undo ? 0 : start_ > 3 ? start_ - 3 : 0;
        atSelection_ = true;
        undo_ = reach == TReach::Undo;
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
    if (!atSelection_ || !bridge_.positions_.PutBack(std::move(kept_)) || !(undo_ ? FollowUndo() : FollowChange()))
        bridge_.positions_.ChangedFrom(changesFrom_);
}

bool TEditBridge::TPassOn::FollowChange()
{
    DWORD start = 0, end = 0;
    SelectionUnits(window_, start, end);
    if (start != end)
        return false;
    if (inserted_) {
        // The selection became the inserted units, with the caret after them. (The length is not asked:
        // the window counts it anew after each change, walking its whole text.)
        if (start != start_ + inserted_->size())
            return false;
        bridge_.positions_.Replaced(start_, end_, *inserted_);
        return true;
    }
    // Removed units end where the caret or the selection was, or begin at it.
    const std::size_t length = UnitCount(window_);
    const std::size_t removed = length_ - length;
    if (!removesOnly_ || length >= length_ || start > start_ || start + removed < end_)
        return false;
    bridge_.positions_.Replaced(start, start + removed, {});
    return true;
}

bool TEditBridge::TPassOn::FollowUndo()
{
    DWORD start = 0, end = 0;
    SelectionUnits(window_, start, end);
    const std::size_t length = UnitCount(window_);
    if (end < start || length_ + (end - start) < length)
        return false;
    const std::size_t removed = length_ + (end - start) - length;
    if (start + removed > length_)
        return false;
    TWindowUnits source(window_);
    bridge_.positions_.Replaced(start, start + removed, std::wstring_view(source.FirstUnits(end)).substr(start));
    return true;
}

// ---- Messages ----

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
    case EM_REPLACESEL: {
        const auto* text = reinterpret_cast<const char*>(m.LParam);
        m.Result = InsertUnits(window, edittext::Encode(text ? text : "").Units, m.WParam != 0);
        return true;
    }
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
    case WM_CHAR:
    case WM_IME_CHAR: return TypeByte(window, m);
    case EM_LIMITTEXT:
        // The window counts the limit in characters, never fewer than the bytes: the bridge keeps to bytes.
        limit_ = m.WParam;
        return false;
    case WM_COPY: Copy(window); return true;
    case WM_CUT: Cut(window); return true;
    case WM_PASTE: Paste(window); return true;
    case WM_CLEAR: CheckClear(window); return false;
    case WM_KEYDOWN: {
        const bool shift = platform::KeyIsDown(VK_SHIFT), control = platform::KeyIsDown(VK_CONTROL);
        DWORD start = 0, end = 0;
        SelectionUnits(window, start, end);
        // The window's keys for the clipboard copy and paste inside it: they go through here instead.
        if (m.WParam == VK_INSERT && shift != control)
            return ClipboardKey(window, shift ? kCtrlV : kCtrlC);
        if (m.WParam == VK_DELETE && shift && !control && start != end)
            return ClipboardKey(window, kCtrlX);
        if (m.WParam == VK_DELETE && !(StyleOf(window) & ES_READONLY) && !control)
            CheckRemoval(window, shift);  // Shift+Delete without a selection takes out what is before the caret
        return false;
    }
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

// ---- What comes into the text ----

LRESULT TEditBridge::InsertUnits(HWND window, std::wstring units, bool canUndo)
{
    const std::size_t fits = UnitsWithin(units, Room(window));
    if (fits < units.size()) {
        units.resize(fits);
        NotifyLimit(window);
    }
    DWORD start = 0, end = 0;
    SelectionUnits(window, start, end);
    CheckGrowth(window, start, end, units);
    TPassOn scope(*this, window, TMessage{EM_REPLACESEL, 0, 0, 0});
    scope.Inserts(units);
    return Call(window, EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(units.c_str()));
}

void TEditBridge::CheckGrowth(HWND window, std::size_t from, std::size_t to, std::wstring_view units)
{
    TWindowUnits source(window);
    const std::size_t first = positions_.LineStart(from, source), last = positions_.LineEnd(to, source);
    const edittext::TTextShape before = edittext::ShapeOf(positions_.Units(first, last, source));
    const edittext::TTextShape after = edittext::ShapeOf(
        positions_.Units(first, from, source) + std::wstring(units) + positions_.Units(to, last, source));
    // A text admitted under wider limits may still shrink.
    if (units.size() <= to - from && after.LongestLine <= before.LongestLine &&
        after.SquaredLines <= before.SquaredLines)
        return;
    edittext::TTextShape shape;
    shape.Units = positions_.UnitCount(source) - (to - from) + units.size();
    shape.LongestLine = after.LongestLine;
    shape.SquaredLines = positions_.SquaredLines(source) - before.SquaredLines + after.SquaredLines;
    if (!UnicodeEditTakes(shape, Wraps(window)))
        throw EInvalidOperation(SMemoTextTooLarge);
}

void TEditBridge::CheckRemoval(HWND window, bool backward)
{
    DWORD start = 0, end = 0;
    SelectionUnits(window, start, end);
    if (start == end) {
        // One character goes, or the line break on that side.
        TWindowUnits source(window);
        if (backward) {
            start -= start >= 2 && positions_.Units(start - 2, start, source) == L"\r\n" ? 2 : start > 0 ? 1 : 0;
        } else {
            const std::size_t count = positions_.UnitCount(source);
            end += end + 2 <= count && positions_.Units(end, end + 2, source) == L"\r\n" ? 2 : end < count ? 1 : 0;
        }
    }
    CheckGrowth(window, start, end, {});
}

void TEditBridge::CheckClear(HWND window)
{
    DWORD start = 0, end = 0;
    SelectionUnits(window, start, end);
    CheckGrowth(window, start, end, {});
}

bool TEditBridge::TypeByte(HWND window, TMessage& m)
{
    if (m.WParam > 0xFF) {
        // A double-byte character in one message, its lead byte above its trail byte.
        const auto lead = static_cast<char>(m.WParam >> 8), trail = static_cast<char>(m.WParam);
        if (m.WParam > 0xFFFF || !dbcs::IsLeadByte(lead))
            return false;
        pendingLead_.reset();
        const char bytes[2] = {lead, trail};
        TypeBytes(window, std::string_view(bytes, 2), m.LParam);
        return true;
    }
    const auto byte = static_cast<char>(m.WParam);
    if (pendingLead_) {
        const char bytes[2] = {*pendingLead_, byte};
        pendingLead_.reset();
        if (dbcs::IsTrailByte(byte)) {
            TypeBytes(window, std::string_view(bytes, 2), m.LParam);
            return true;
        }
        // A lead byte without its trail goes in as the byte it is.
        TypeBytes(window, std::string_view(bytes, 1), m.LParam);
    }
    if (dbcs::IsLeadByte(byte)) {
        pendingLead_ = byte;
        m.Result = 0;
        return true;
    }
    if (ClipboardKey(window, m.WParam))
        return true;
    TypeBytes(window, std::string_view(&byte, 1), m.LParam);
    return true;
}

void TEditBridge::TypeBytes(HWND window, std::string_view bytes, LPARAM keyData)
{
    const wchar_t unit = edittext::Encode(bytes).Units.at(0);
    const std::wstring_view typed = TypedUnits(window, unit);
    if (edittext::BytesOf(typed) > Room(window)) {
        NotifyLimit(window);
        return;
    }
    if (unit == kBackspace)
        CheckRemoval(window, true);
    else if (!typed.empty()) {
        DWORD start = 0, end = 0;
        SelectionUnits(window, start, end);
        CheckGrowth(window, start, end, typed);
    }
    TPassOn scope(*this, window, TMessage{WM_CHAR, unit, keyData, 0});
    if (!typed.empty() || unit == L'\r')
        scope.Inserts(typed);
    Call(window, WM_CHAR, unit, keyData);
}

// ---- The clipboard ----

bool TEditBridge::ClipboardKey(HWND window, WPARAM key)
{
    switch (key) {
    case kCtrlC: Copy(window); return true;
    case kCtrlV: Paste(window); return true;
    case kCtrlX: Cut(window); return true;
    default: return false;
    }
}

void TEditBridge::Copy(HWND window)
{
    DWORD start = 0, end = 0;
    SelectionUnits(window, start, end);
    if (start == end || (StyleOf(window) & ES_PASSWORD))
        return;
    // The bytes go on the clipboard as they are; the system offers them to other programs as UTF-16.
    TWindowUnits source(window);
    const std::string bytes = edittext::Decode(positions_.Units(start, end, source));
    if (!platform::OpenClipboard(window))
        return;
    platform::EmptyClipboard();
    platform::SetClipboardText(bytes);
    platform::CloseClipboard();
}

void TEditBridge::Cut(HWND window)
{
    if (StyleOf(window) & (ES_READONLY | ES_PASSWORD))
        return;
    CheckClear(window);
    Copy(window);
    TPassOn scope(*this, window, TMessage{WM_CLEAR, 0, 0, 0});
    Call(window, WM_CLEAR);
}

void TEditBridge::Paste(HWND window)
{
    if (StyleOf(window) & ES_READONLY)
        return;
    // Text of other scripts arrives converted into the code page, as the window will keep it.
    std::string text = platform::ClipboardAnsiText();
    // A single line takes the clipboard's first line only, as the window's own paste does.
    if (!(StyleOf(window) & ES_MULTILINE))
        text.resize(std::min(text.size(), dbcs::FindLineBreak(text)));
    if (!text.empty())  // nothing to paste leaves the selection as it is
        InsertUnits(window, edittext::Encode(text).Units, true);
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

// ---- Lines ----

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
