// The tagged values that number and string literals become.
#include "literal_values.h"

#include <algorithm>
#include <limits>

#include "decimal_number.h"
#include "text_encoding.h"

namespace formc {

namespace {

constexpr std::size_t ShortStringLimit = 255;

bool IsHexText(const std::string& text)
{
    return text.starts_with('$') || text.starts_with("0x") || text.starts_with("0X");
}

std::string Lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return text;
}

Value HexValue(const Token& number, bool negative)
{
    const std::string digits = number.text.substr(number.text[0] == '$' ? 1 : 2);
    const std::string suffix = Lowered(number.suffix);
    if (!suffix.empty() && suffix != "l")
        throw CompileError(
            number.where, "unknown suffix '" + number.suffix + "' after a hex number (only L, for 64 bits)");
    const auto significant = digits.find_first_not_of('0');
    if (significant != std::string::npos && digits.size() - significant > 16)
        throw CompileError(number.where, "hex number " + number.text + " has more than 64 bits");
    const std::uint64_t pattern = std::stoull(digits, nullptr, 16);
    // Up to 8 digits the number is a 32-bit pattern, as colours like $80000005 are written.
    std::int64_t value =
        digits.size() <= 8
            ? static_cast<std::int32_t>(static_cast<std::uint32_t>(pattern))
            : static_cast<std::int64_t>(pattern);
    if (negative) {
        if (value == std::numeric_limits<std::int64_t>::min())
            throw CompileError(number.where, "-" + number.text + " is out of the 64-bit range");
        value = -value;
    }
    return IntegerValue(value, suffix == "l");
}

Value DecimalIntegerValue(const Token& number, bool negative, bool force64Bit)
{
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    for (char digit : number.text) {
        const auto d = static_cast<std::uint64_t>(digit - '0');
        if (magnitude > (limit - d) / 10)
            throw CompileError(
                number.where, std::string(negative ? "-" : "") + number.text + " is out of the 64-bit integer range");
        magnitude = magnitude * 10 + d;
    }
    return IntegerValue(
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude), force64Bit);
}

Value FloatValue(const Token& number, const DecimalNumber& decimal, BinaryFloatFormat format, ValueTag tag,
                 const char* formatName)
{
    EncodedFloat encoded = EncodeBinaryFloat(decimal, format);
    if (encoded.range != FloatRange::Fits) {
        throw CompileError(
            number.where, number.text + " is too " + (encoded.range == FloatRange::TooLarge ? "large" : "small") +
                              " for a " + formatName);
    }
    Value value;
    value.tag = tag;
    value.bytes = std::move(encoded.bytes);
    return value;
}

std::string Quoted(char32_t c)
{
    std::string name = CodePointName(c);
    if (c >= 0x20 && c != 0x7F)
        name += " '" + EncodeUtf8(std::u32string(1, c)) + "'";
    return name;
}

}  // namespace

Value IntegerValue(std::int64_t value, bool force64Bit)
{
    Value result;
    result.integer = value;
    if (force64Bit || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        result.tag = ValueTag::Integer64;
    else if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        result.tag = ValueTag::Integer32;
    else if (value < std::numeric_limits<std::int8_t>::min() || value > std::numeric_limits<std::int8_t>::max())
        result.tag = ValueTag::Integer16;
    else
        result.tag = ValueTag::Integer8;
    return result;
}

Value NumberValue(const Token& number, bool negative)
{
    if (IsHexText(number.text))
        return HexValue(number, negative);

    const std::string suffix = Lowered(number.suffix);
    const bool integerText = number.text.find_first_of(".eE") == std::string::npos;
    if (integerText && (suffix.empty() || suffix == "l"))
        return DecimalIntegerValue(number, negative, suffix == "l");
    if (suffix == "l")
        throw CompileError(number.where, "the L suffix makes a 64-bit integer; " + number.text + " is not an integer");

    const std::optional<DecimalNumber> decimal = ParseDecimal(number.text, negative);
    if (!decimal)
        throw CompileError(number.where, "malformed number " + number.text);
    if (suffix.empty())
        return FloatValue(number, *decimal, BinaryFloatFormat::Extended, ValueTag::Extended, "10-byte extended float");
    if (suffix == "s")
        return FloatValue(number, *decimal, BinaryFloatFormat::Single, ValueTag::Single, "single float");
    if (suffix == "d")
        return FloatValue(number, *decimal, BinaryFloatFormat::Double, ValueTag::Date, "date (a double)");
    if (suffix == "c") {
        const std::optional<std::int64_t> scaled = ScaledInteger(*decimal, 4);
        if (!scaled)
            throw CompileError(number.where, number.text + " is out of the currency range");
        Value value;
        value.tag = ValueTag::Currency;
        value.integer = *scaled;
        return value;
    }
    throw CompileError(
        number.where,
        "unknown number suffix '" + number.suffix + "' (L: 64-bit integer, s: single, c: currency, d: date)");
}

Value StringValue(const std::u32string& text, StringEncoding encoding, SourcePosition where)
{
    Value value;
    const bool ascii = std::all_of(text.begin(), text.end(), [](char32_t c) { return c < 0x80; });
    if (encoding == StringEncoding::Automatic)
        encoding = ascii ? StringEncoding::Raw : StringEncoding::Wide;

    switch (encoding) {
    case StringEncoding::Wide:
        value.tag = ValueTag::WideString;
        value.bytes = EncodeUtf16LE(text);
        return value;
    case StringEncoding::Utf8:
        value.tag = ValueTag::Utf8String;
        value.bytes = EncodeUtf8(text);
        return value;
    case StringEncoding::Ansi:
    case StringEncoding::LongAnsi: {
        AnsiEncoding ansi = EncodeCodePage932(text);
        if (ansi.unmappableIndex)
            throw CompileError(
                where, "character " + Quoted(text[*ansi.unmappableIndex]) + " has no Shift-JIS (code page 932) form");
        value.bytes = std::move(ansi.bytes);
        break;
    }
    case StringEncoding::Raw:
    case StringEncoding::Automatic:
        for (char32_t c : text) {
            if (c > 0xFF)
                throw CompileError(where, "@raw strings hold bytes #0..#255; " + Quoted(c) + " is not one");
            value.bytes.push_back(static_cast<char>(c));
        }
        break;
    }
    value.tag =
        encoding == StringEncoding::LongAnsi || value.bytes.size() > ShortStringLimit
            ? ValueTag::LongString
            : ValueTag::String;
    return value;
}

}  // namespace formc
