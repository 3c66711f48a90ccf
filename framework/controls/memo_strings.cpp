// TMemoStrings: the lines of a memo, kept in its edit window.
#include "framework/controls/memo_strings.h"

#include <cstring>

#include "framework/controls/memo.h"
#include "framework/core/class_info.h"
#include "framework/core/double_byte.h"
#include "framework/core/exceptions.h"

const TClassInfo& TMemoStrings::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMemoStrings, TStrings>("TMemoStrings").Build();
    return info;
}

namespace {

// The capacity of the buffer one line is read into.
constexpr std::uint16_t kLineCapacity = 4096;

}  // namespace

std::string NormalizeLineBreaks(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = dbcs::FindLineBreak(text); at != dbcs::npos; at = dbcs::FindLineBreak(text, from)) {
        result.append(text, from, at - from);
        result += "\r\n";
        from = at + (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1);
    }
    result.append(text, from);
    return result;
}

std::intptr_t TMemoStrings::Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) const
{
    memo_->HandleNeeded();
    return memo_->PerformMessage(message, wParam, lParam);
}

int TMemoStrings::Count() const
{
    if (!memo_->HandleAllocated() && memo_->TextLength() == 0)
        return 0;
    auto count = static_cast<int>(Send(EM_GETLINECOUNT));
    const std::intptr_t lastStart = Send(EM_LINEINDEX, static_cast<std::uintptr_t>(count - 1));
    if (lastStart >= 0 && Send(EM_LINELENGTH, static_cast<std::uintptr_t>(lastStart)) == 0)
        --count;
    return count;
}

std::string TMemoStrings::Get(int index) const
{
    if (index < 0)
        return {};
    std::string line(kLineCapacity, '\0');
    std::memcpy(line.data(), &kLineCapacity, sizeof kLineCapacity);
    const std::intptr_t copied =
        Send(EM_GETLINE, static_cast<std::uintptr_t>(index), reinterpret_cast<std::intptr_t>(line.data()));
    line.resize(static_cast<std::size_t>(std::clamp<std::intptr_t>(copied, 0, kLineCapacity)));
    return line;
}

void TMemoStrings::ReplaceRange(std::intptr_t start, std::intptr_t end, const std::string& text) const
{
    Send(EM_SETSEL, static_cast<std::uintptr_t>(start), end);
    Send(EM_REPLACESEL, 0, reinterpret_cast<std::intptr_t>(text.c_str()));
}

void TMemoStrings::Put(int index, std::string s)
{
    if (index < 0)
        return;
    const std::intptr_t start = Send(EM_LINEINDEX, static_cast<std::uintptr_t>(index));
    if (start < 0)
        return;
    ReplaceRange(start, start + Send(EM_LINELENGTH, static_cast<std::uintptr_t>(start)), s);
}

void TMemoStrings::Insert(int index, std::string s)
{
    if (index < 0)
        return;
    std::intptr_t at = Send(EM_LINEINDEX, static_cast<std::uintptr_t>(index));
    if (at >= 0) {
        s += "\r\n";
    } else {
        // After the last line: a break goes before the new line, at the end of the line before it.
        const std::intptr_t previous = Send(EM_LINEINDEX, static_cast<std::uintptr_t>(index - 1));
        if (previous < 0)
            return;
        const std::intptr_t length = Send(EM_LINELENGTH, static_cast<std::uintptr_t>(previous));
        if (length == 0)
            return;
        at = previous + length;
        s.insert(0, "\r\n");
    }
    ReplaceRange(at, at, s);
}

void TMemoStrings::Delete(int index)
{
    if (index < 0)
        return;
    const std::intptr_t start = Send(EM_LINEINDEX, static_cast<std::uintptr_t>(index));
    if (start < 0)
        return;
    std::intptr_t end = Send(EM_LINEINDEX, static_cast<std::uintptr_t>(index + 1));
    if (end < 0)
        end = start + Send(EM_LINELENGTH, static_cast<std::uintptr_t>(start));
    ReplaceRange(start, end, std::string());
}

void TMemoStrings::Clear() { memo_->Clear(); }

std::string TMemoStrings::Text() const { return memo_->Text(); }

void TMemoStrings::SetText(std::string_view text)
{
    const std::string normalized = NormalizeLineBreaks(text);
    if (static_cast<std::size_t>(memo_->TextLength()) == normalized.size() && memo_->Text() == normalized)
        return;
    if (memo_->PerformMessage(WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(normalized.c_str())) == 0)
        throw EInvalidOperation(SMemoTextTooLarge);
    memo_->PerformMessage(CMSG_TEXTCHANGED, 0, 0);
}

void TMemoStrings::SetUpdateState(bool updating)
{
    if (!memo_->HandleAllocated())
        return;
    memo_->PerformMessage(WM_SETREDRAW, !updating, 0);
    if (updating)
        return;
    memo_->PerformMessage(CMSG_SHOWINGCHANGED, 0, 0);
    memo_->Repaint();
}
