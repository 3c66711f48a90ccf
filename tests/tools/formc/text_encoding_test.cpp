// Decoding the description's UTF-8 strictly and encoding UTF-16, UTF-8 and Shift-JIS values.
#include "tests/tools/formc/host_check.h"
#include "tools/formc/text_encoding.h"

using namespace formc;

HOST_TEST(MalformedUtf8IsReportedAtItsFirstByte)
{
    struct Case {
        const char* bytes;
        std::size_t offset;
    };
    const Case cases[] = {
        {"ab\xFF", 2},            // never a UTF-8 byte
        {"a\x80", 1},             // a continuation byte without a lead
        {"\xC0\x80", 0},          // overlong NUL
        {"x\xE0\x80\x80", 1},     // overlong three-byte form
        {"\xED\xA0\x80", 0},      // an encoded surrogate
        {"\xF4\x90\x80\x80", 0},  // above U+10FFFF
        {"\xE3\x81", 0},          // cut short
        {"\xE3\x41\x81", 0},      // interrupted
    };
    for (const Case& c : cases) {
        const Utf8Decoding decoded = DecodeUtf8(c.bytes);
        CHECK(decoded.errorOffset.has_value());
        if (decoded.errorOffset)
            CHECK_EQ(*decoded.errorOffset, c.offset, hostcheck::Show(std::string(c.bytes)));
    }
    const Utf8Decoding good = DecodeUtf8("a\xE3\x81\x82\xF0\x9F\x98\x80");
    CHECK(!good.errorOffset);
    CHECK(good.text == U"a\u3042\U0001F600");
}

HOST_TEST(UnicodeEncodingsOfEveryPlane)
{
    CHECK_EQ(EncodeUtf16LE(U"A\u3042"), std::string("\x41\x00\x42\x30", 4), "A and HIRAGANA A");
    CHECK_EQ(EncodeUtf16LE(U"\U00010000\U0010FFFF"), std::string("\x00\xD8\x00\xDC\xFF\xDB\xFF\xDF", 8),
             "first and last supplementary characters");
    CHECK_EQ(EncodeUtf8(U"\u007F\u0080\u07FF\u0800\uFFFF\U00010000"),
             std::string("\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80"), "length boundaries");
}

HOST_TEST(ShiftJisHasTheBytesOfCodePage932)
{
    struct Case {
        std::u32string text;
        std::string bytes;
    };
    const Case cases[] = {
        {U"abc", "abc"},         {U"\uFF71", "\xB1"},  // half-width katakana: one byte
        {U"\u8868", "\x95\x5C"},                       // trail byte equal to '\'
        {U"\u2460", "\x87\x40"},                       // NEC special character
        {U"\u9AD9", "\xFB\xFC"},                       // IBM extension
        {U"\uFF5E", "\x81\x60"},
    };
    for (const Case& c : cases) {
        const AnsiEncoding encoded = EncodeCodePage932(c.text);
        CHECK(!encoded.unmappableIndex);
        CHECK_EQ(encoded.bytes, c.bytes, CodePointName(c.text[0]));
    }
    const AnsiEncoding failed = EncodeCodePage932(U"a\u3042\u00E9\u3044");
    CHECK(failed.unmappableIndex.has_value());
    if (failed.unmappableIndex)
        CHECK_EQ(*failed.unmappableIndex, std::size_t{2}, "the index of U+00E9");
}
