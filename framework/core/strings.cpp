// The abstract list of strings, each paired with an object it does not own: everything a list can
// do in terms of get, put, count, insert, delete and clear, including text and file I/O.
#include "framework/core/strings.h"

#include <cstring>
#include <limits>

#include "framework/core/class_info.h"
#include "framework/core/double_byte.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_stream.h"
#include "platform/locale.h"

const TClassInfo& TStrings::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStrings, TPersistent>("TStrings").Build();
    return info;
}

namespace {

bool EndsLine(char c) { return c == '\0' || c == '\n' || c == '\r'; }

}  // namespace

std::size_t FindNameSeparator(std::string_view s) { return dbcs::FindChar(s, '='); }

void TStrings::BeginUpdate()
{
    if (updateCount_ == 0)
        SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate()
{
    --updateCount_;
    if (updateCount_ == 0)
        SetUpdateState(false);
}

void TStrings::Put(int index, std::string s)
{
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, std::move(s), object);
}

std::string TStrings::Text() const
{
    const int count = Count();
    std::size_t total = 0;
    for (int i = 0; i < count; ++i)
        total += Get(i).size() + 2;
    std::string text;
    text.reserve(total);
    for (int i = 0; i < count; ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text)
{
    TUpdateBracket update(*this);
    Clear();
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end && *p != '\0') {
        const char* start = p;
        while (p != end && !EndsLine(*p))
            ++p;
        Add(std::string(start, p));
        if (p != end && *p == '\r')
            ++p;
        if (p != end && *p == '\n')
            ++p;
    }
}

std::unique_ptr<char[]> TStrings::GetTextBuffer() const
{
    const std::string text = Text();
    auto buffer = std::make_unique_for_overwrite<char[]>(text.size() + 1);
    std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
    return buffer;
}

void TStrings::SetTextBuffer(const char* text) { SetText(text ? std::string_view(text) : std::string_view()); }

int TStrings::CompareStrings(std::string_view a, std::string_view b) const { return platform::CompareAnsi(a, b, true); }

int TStrings::Add(std::string s)
{
    const int index = Count();
    Insert(index, std::move(s));
    return index;
}

int TStrings::AddObject(std::string s, TObject* object)
{
    const int index = Add(std::move(s));
    PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& strings)
{
    TUpdateBracket update(*this);
    const int count = strings.Count();
    for (int i = 0; i < count; ++i)
        AddObject(strings.Get(i), strings.GetObject(i));
}

void TStrings::InsertObject(int index, std::string s, TObject* object)
{
    Insert(index, std::move(s));
    PutObject(index, object);
}

void TStrings::Exchange(int index1, int index2)
{
    TUpdateBracket update(*this);
    std::string string1 = Get(index1);
    TObject* object1 = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, std::move(string1));
    PutObject(index2, object1);
}

void TStrings::Move(int fromIndex, int toIndex)
{
    if (fromIndex == toIndex)
        return;
    TUpdateBracket update(*this);
    std::string s = Get(fromIndex);
    TObject* object = GetObject(fromIndex);
    Delete(fromIndex);
    InsertObject(toIndex, std::move(s), object);
}

int TStrings::IndexOf(const std::string& s) const
{
    const int count = Count();
    for (int i = 0; i < count; ++i)
        if (CompareStrings(Get(i), s) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& name) const
{
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        const std::string s = Get(i);
        const std::size_t separator = FindNameSeparator(s);
        if (separator != std::string::npos && CompareStrings(std::string_view(s).substr(0, separator), name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const
{
    const int count = Count();
    for (int i = 0; i < count; ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

void TStrings::LoadFromFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::LoadFromStream(TStream& stream)
{
    // The whole text is read before the list changes: a failed read leaves the list as it was.
    const std::int64_t size = stream.Size() - stream.Position();
    if (size > std::numeric_limits<std::int32_t>::max())
        throw EReadError(SReadError);
    const auto count = static_cast<std::int32_t>(size > 0 ? size : 0);
    auto buffer = std::make_unique_for_overwrite<char[]>(count);
    stream.ReadBuffer(buffer.get(), count);
    TUpdateBracket update(*this);
    SetText(std::string_view(buffer.get(), count));
}

void TStrings::SaveToFile(const std::string& fileName) const
{
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TStrings::SaveToStream(TStream& stream) const
{
    const std::string text = Text();
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw EWriteError(SWriteError);
    stream.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
}

void TStrings::Assign(const TPersistent* source)
{
    if (const auto* strings = dynamic_cast<const TStrings*>(source)) {
        if (strings == this)
            return;  // clearing first would leave nothing to copy
        TUpdateBracket update(*this);
        Clear();
        AddStrings(*strings);
        return;
    }
    TPersistent::Assign(source);
}

bool TStrings::Equals(const TStrings& other) const
{
    const int count = Count();
    if (count != other.Count())
        return false;
    for (int i = 0; i < count; ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

std::string TStrings::Names(int index) const
{
    const std::string s = Get(index);
    const std::size_t separator = FindNameSeparator(s);
    return separator == std::string::npos ? std::string() : s.substr(0, separator);
}

std::string TStrings::Values(const std::string& name) const
{
    const int index = IndexOfName(name);
    if (index < 0)
        return {};
    // The value starts after the "=" the look-up matched, which need not be name.size() bytes in.
    const std::string s = Get(index);
    return s.substr(FindNameSeparator(s) + 1);
}

void TStrings::SetValue(const std::string& name, const std::string& value)
{
    int index = IndexOfName(name);
    if (!value.empty()) {
        if (index < 0)
            index = Add(std::string());
        Put(index, name + "=" + value);
    } else if (index >= 0) {
        Delete(index);
    }
}
