// The double-byte walker on Shift-JIS text whose second bytes look like ASCII ("\", "|", letters)
// and on a lead byte left alone at the end.
#include <algorithm>

#include <gtest/gtest.h>

#include "framework/core/double_byte.h"

namespace {

// 表 = 95 5C, ポ = 83 7C, ア = 83 41, ヂ = 83 61.
const std::string kText = "a\x95\x5C|\x83\x7C\x83\x41z\x83\x61";

TEST(DoubleByteWalker, StepsOverWholeCharactersOnly)
{
    const std::size_t starts[] = {0, 1, 3, 4, 6, 8, 9};
    std::size_t at = 0;
    for (std::size_t start : starts) {
        EXPECT_EQ(at, start);
        at = dbcs::NextChar(kText, at);
    }
    EXPECT_EQ(at, kText.size());
    EXPECT_EQ(dbcs::CharCount(kText), 7u);
    for (std::size_t i = 0; i <= kText.size(); ++i) {
        bool boundary = i == kText.size() || std::find(std::begin(starts), std::end(starts), i) != std::end(starts);
        EXPECT_EQ(dbcs::IsCharBoundary(kText, i), boundary) << "offset " << i;
    }
    // Backwards from every boundary lands on the previous start, without walking from the front.
    for (std::size_t k = 1; k < std::size(starts); ++k)
        EXPECT_EQ(dbcs::PrevCharStart(kText, starts[k]), starts[k - 1]);
    EXPECT_EQ(dbcs::PrevCharStart(kText, kText.size()), 9u);
}

TEST(DoubleByteWalker, FindsDelimitersThatAreCharactersOfTheirOwn)
{
    struct Case {
        std::string text;
        char c;
        std::size_t first, last;
    } cases[] = {
        {kText, '\\', dbcs::npos, dbcs::npos},  // only the second byte of 表
        {kText, '|', 3, 3},                     // the second byte of ポ is skipped
        {kText, 'A', dbcs::npos, dbcs::npos},   // only the second byte of ア
        {"C:\\\x95\x5C\\x.txt", '\\', 2, 5},    // a folder named 表
        {"", '|', dbcs::npos, dbcs::npos},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dbcs::FindChar(c.text, c.c), c.first) << c.text;
        EXPECT_EQ(dbcs::FindLastChar(c.text, c.c), c.last) << c.text;
    }
}

TEST(DoubleByteWalker, CutsAndEndsAtCharacterBoundaries)
{
    EXPECT_EQ(dbcs::CutLength(kText, 2), 1u);  // would split 表
    EXPECT_EQ(dbcs::CutLength(kText, 3), 3u);
    EXPECT_EQ(dbcs::CutLength(kText, 100), kText.size());
    EXPECT_EQ(dbcs::LastCharStart("ab\x83\x41"), 2u);
    EXPECT_EQ(dbcs::LastCharStart(""), 0u);

    // A lead byte at the very end is a character of one byte.
    const std::string loose = "x\x83\x41\x83";
    EXPECT_EQ(dbcs::CharLength(loose, 3), 1u);
    EXPECT_EQ(dbcs::LastCharStart(loose), 3u);
    EXPECT_EQ(dbcs::CharCount(loose), 3u);
    EXPECT_TRUE(dbcs::IsCharBoundary(loose, 3));
}

}  // namespace

TEST(DoubleByteWalker, PairsALeadByteOnlyWithATrailByteSoLineBreaksStayBreaks)
{
    struct Case {
        std::string text;
        std::size_t length, firstBreak;
    } cases[] = {
        {"\x83\x41\r\n", 2, 2},  // ア
        {"\x95\x5C\n", 2, 2},    // 表
        {"\x81\r\n", 1, 1},      // a lead byte before CR
        {"\x81\n", 1, 1},        // and before LF
        {"\x81 z", 1, dbcs::npos},
        {"\x81\x7F", 1, dbcs::npos},
        {"\x81", 1, dbcs::npos},  // at the very end
        {"a\rb", 1, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dbcs::PairedCharLength(c.text, 0), c.length) << c.text;
        EXPECT_EQ(dbcs::FindLineBreak(c.text), c.firstBreak) << c.text;
    }
}
