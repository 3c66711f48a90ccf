// The reader's buffered input, its value readers and the skipping of values, properties and records.
#include <cstring>
#include <limits>

#include "framework/core/class_info.h"
#include "framework/core/collection.h"
#include "framework/core/reader.h"
#include "framework/core/stream.h"
#include "platform/locale.h"

namespace {

// The 10-byte x87 extended value of a form resource; long double is that very format on this target.
long double ExtendedToLongDouble(const unsigned char (&bytes)[10])
{
    static_assert(std::numeric_limits<long double>::digits == 64, "long double must be x87 extended");
    long double value = 0;
    std::memcpy(&value, bytes, 10);
    return value;
}

bool IsIntegerTag(TValueType v) { return v == vaInt8 || v == vaInt16 || v == vaInt32; }

}  // namespace

TReader::NestingGuard::NestingGuard(TReader& reader) : reader_(reader)
{
    if (++reader_.nesting_ > MaxFormNesting) {
        --reader_.nesting_;
        reader_.ReadError();
    }
}

const TClassInfo& TReader::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TReader, TFiler>("TReader").Build();
    return info;
}

TReader::TReader(TStream& stream, int bufferSize) : stream_(stream), buffer_(bufferSize > 0 ? bufferSize : 4096) {}

TReader::~TReader()
{
    if (bufferEnd_ > bufferPos_) {
        try {
            stream_.Seek(static_cast<std::int64_t>(bufferPos_) - bufferEnd_, soCurrent);
        } catch (...) {
            // A destructor must not throw; the stream position is all that is lost.
        }
    }
}

void TReader::ReadError() { throw EReadError(SReadError); }

void TReader::PropValueError() { throw EReadError(SInvalidPropertyValue); }

void TReader::ReadBuffer()
{
    std::int32_t n = stream_.Read(buffer_.data(), static_cast<std::int32_t>(buffer_.size()));
    if (n <= 0)
        ReadError();
    bufferPos_ = 0;
    bufferEnd_ = n;
    if (streamLeft_ >= 0)
        streamLeft_ -= n;
}

void TReader::Read(void* buffer, std::int32_t count)
{
    auto* out = static_cast<char*>(buffer);
    while (count > 0) {
        if (bufferPos_ == bufferEnd_)
            ReadBuffer();
        std::int32_t n = std::min(count, bufferEnd_ - bufferPos_);
        std::memcpy(out, buffer_.data() + bufferPos_, n);
        bufferPos_ += n;
        out += n;
        count -= n;
    }
}

std::int64_t TReader::Position() const { return stream_.Position() - (bufferEnd_ - bufferPos_); }

std::int64_t TReader::BytesLeft() const
{
    if (streamLeft_ < 0) {
        auto& self = const_cast<TReader&>(*this);
        self.streamLeft_ = std::max<std::int64_t>(0, stream_.Size() - stream_.Position());
    }
    return streamLeft_ + (bufferEnd_ - bufferPos_);
}

std::int32_t TReader::ReadLength()
{
    std::int32_t n;
    Read(&n, 4);
    // A length past the end of the stream is damage: say so before allocating for it.
    if (n < 0 || n > BytesLeft())
        ReadError();
    return n;
}

std::wstring TReader::ReadWideChars()
{
    std::int32_t units;
    Read(&units, 4);
    if (units < 0 || units > BytesLeft() / 2)
        ReadError();
    std::wstring w(units, L'\0');
    Read(w.data(), units * 2);
    return w;
}

std::string TReader::ReadBytes(std::int32_t count)
{
    std::string s(count, '\0');
    Read(s.data(), count);
    return s;
}

void TReader::SkipBytes(std::int64_t count)
{
    char scratch[256];
    while (count > 0) {
        std::int32_t n = static_cast<std::int32_t>(std::min<std::int64_t>(count, sizeof scratch));
        Read(scratch, n);
        count -= n;
    }
}

TValueType TReader::ReadValue()
{
    std::uint8_t tag;
    Read(&tag, 1);
    return static_cast<TValueType>(tag);
}

TValueType TReader::NextValue()
{
    TValueType v = ReadValue();
    --bufferPos_;
    return v;
}

bool TReader::EndOfList() { return NextValue() == vaNull; }

void TReader::ReadListBegin()
{
    if (ReadValue() != vaList)
        PropValueError();
}

void TReader::ReadListEnd()
{
    if (ReadValue() != vaNull)
        PropValueError();
}

std::string TReader::ReadStr()
{
    std::uint8_t n;
    Read(&n, 1);
    return ReadBytes(n);
}

void TReader::ReadSignature()
{
    std::uint32_t signature;
    Read(&signature, 4);
    if (signature != FilerSignature)
        throw EReadError(SInvalidImage);
}

void TReader::ReadPrefix(std::uint8_t& flags, std::int32_t& childPosition)
{
    flags = 0;
    childPosition = 0;
    std::uint8_t prefix;
    Read(&prefix, 1);
    if ((prefix & 0xF0) != 0xF0) {
        --bufferPos_;
        return;
    }
    flags = prefix & 0x0F;
    if (flags & ffChildPos) {
        if (IsIntegerTag(NextValue()))
            childPosition = ReadInteger();
        else
            PropValueError();
    }
}

std::int32_t TReader::ReadInteger()
{
    switch (ReadValue()) {
    case vaInt8: {
        std::int8_t v;
        Read(&v, 1);
        return v;
    }
    case vaInt16: {
        std::int16_t v;
        Read(&v, 2);
        return v;
    }
    case vaInt32: {
        std::int32_t v;
        Read(&v, 4);
        return v;
    }
    default: PropValueError();
    }
}

std::int64_t TReader::ReadInt64()
{
    if (NextValue() == vaInt64) {
        ReadValue();
        std::int64_t v;
        Read(&v, 8);
        return v;
    }
    return ReadInteger();
}

long double TReader::ReadFloat()
{
    if (NextValue() == vaExtended) {
        ReadValue();
        unsigned char bytes[10];
        Read(bytes, 10);
        return ExtendedToLongDouble(bytes);
    }
    return ReadInteger();
}

float TReader::ReadSingle()
{
    if (NextValue() == vaSingle) {
        ReadValue();
        float v;
        Read(&v, 4);
        return v;
    }
    return static_cast<float>(ReadInteger());
}

long double TReader::ReadCurrency()
{
    if (NextValue() == vaCurrency) {
        ReadValue();
        std::int64_t v;
        Read(&v, 8);
        return static_cast<long double>(v) / 10000;
    }
    return ReadInteger();
}

double TReader::ReadDate()
{
    if (NextValue() == vaDate) {
        ReadValue();
        double v;
        Read(&v, 8);
        return v;
    }
    return ReadInteger();
}

std::string TReader::ReadString()
{
    switch (ReadValue()) {
    case vaString: {
        std::uint8_t n;
        Read(&n, 1);
        return ReadBytes(n);
    }
    case vaLString: return ReadBytes(ReadLength());
    case vaWString: return platform::WideToAnsi(ReadWideChars());
    case vaUTF8String: return platform::WideToAnsi(platform::Utf8ToWide(ReadBytes(ReadLength())));
    default: PropValueError();
    }
}

std::wstring TReader::ReadWideString()
{
    switch (NextValue()) {
    case vaWString: ReadValue(); return ReadWideChars();
    case vaUTF8String: ReadValue(); return platform::Utf8ToWide(ReadBytes(ReadLength()));
    default: return platform::AnsiToWide(ReadString());
    }
}

std::string TReader::ReadIdent()
{
    switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default: PropValueError();
    }
}

bool TReader::ReadBoolean()
{
    switch (ReadValue()) {
    case vaTrue: return true;
    case vaFalse: return false;
    default: PropValueError();
    }
}

char TReader::ReadChar()
{
    std::string s = ReadString();
    if (s.size() > 1)
        PropValueError();
    return s.empty() ? '\0' : s[0];
}

std::uint32_t TReader::ReadSet(const TTypeInfo& elementType)
{
    if (ReadValue() != vaSet)
        PropValueError();
    std::uint32_t bits = 0;
    for (;;) {
        std::string name = ReadStr();
        if (name.empty())
            break;
        int p = elementType.EnumValue(name);
        if (p >= 0 && p < 32)
            bits |= std::uint32_t{1} << p;
    }
    return bits;
}

void TReader::ReadCollection(TCollection* collection)
{
    NestingGuard nesting(*this);
    collection->BeginUpdate();
    try {
        if (!EndOfList())
            collection->Clear();
        while (!EndOfList()) {
            if (IsIntegerTag(NextValue()))
                ReadInteger();  // the order value changes nothing
            TCollectionItem* item = collection->Add();
            ReadListBegin();
            while (!EndOfList())
                ReadProperty(item);
            ReadListEnd();
        }
        ReadListEnd();
    } catch (...) {
        collection->EndUpdate();
        throw;
    }
    collection->EndUpdate();
}

void TReader::SkipSetBody()
{
    while (!ReadStr().empty()) {
    }
}

void TReader::SkipValue()
{
    NestingGuard nesting(*this);
    switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil: break;
    case vaList:
        while (!EndOfList())
            SkipValue();
        ReadValue();
        break;
    case vaInt8: SkipBytes(1); break;
    case vaInt16: SkipBytes(2); break;
    case vaInt32:
    case vaSingle: SkipBytes(4); break;
    case vaExtended: SkipBytes(10); break;
    case vaString:
    case vaIdent: ReadStr(); break;
    case vaBinary:
    case vaLString:
    case vaUTF8String: SkipBytes(ReadLength()); break;
    case vaSet: SkipSetBody(); break;
    case vaCollection:
        while (!EndOfList()) {
            if (IsIntegerTag(NextValue()))
                SkipValue();
            if (ReadValue() != vaList)
                PropValueError();
            while (!EndOfList())
                SkipProperty();
            ReadValue();
        }
        ReadValue();
        break;
    case vaCurrency:
    case vaDate:
    case vaInt64: SkipBytes(8); break;
    case vaWString: ReadWideChars(); break;
    default: PropValueError();
    }
}

void TReader::SkipProperty()
{
    ReadStr();
    SkipValue();
}

void TReader::SkipComponent(bool skipHeader)
{
    NestingGuard nesting(*this);
    if (skipHeader) {
        std::uint8_t flags;
        std::int32_t position;
        ReadPrefix(flags, position);
        ReadStr();
        ReadStr();
    }
    while (!EndOfList())
        SkipProperty();
    ReadListEnd();
    while (!EndOfList())
        SkipComponent(true);
    ReadListEnd();
}
