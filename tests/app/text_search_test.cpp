// The search over Shift-JIS bytes: where the next occurrence lies, which matches the character
// boundaries turn away, folding of letters, and every occurrence replaced at once.
#include <string>

#include <gtest/gtest.h>

#include "app/text_search.h"
#include "framework/core/double_byte.h"

namespace {

constexpr std::size_t kNone = textsearch::npos;

TEST(TextSearch, ByteClassesAndFoldingFollowTheCharacters)
{
    // a, 表 (0x95 0x5C), a backslash of its own, then a lead byte before a NUL.
    const std::string text("a\x95\x5C\x5C\x95\0", 6);
    const dbcs::TMbcsByteType classes[] = {
        dbcs::mbSingleByte, dbcs::mbLeadByte,   dbcs::mbTrailByte, dbcs::mbSingleByte,
        dbcs::mbLeadByte,   dbcs::mbSingleByte, dbcs::mbSingleByte};
    for (std::size_t i = 0; i < std::size(classes); ++i)
        EXPECT_EQ(dbcs::ByteClass(text, i), classes[i]) << "byte " << i;
    // Asked in increasing order, over runs of first-byte values (＝ is 0x81 0x81), as asked each time.
    const std::string runs = "a＝＝＝表\\\x81＝ア";
    dbcs::CharStarts starts(runs);
    for (std::size_t i = 0; i <= runs.size(); ++i)
        EXPECT_EQ(starts.IsCharBoundary(i), dbcs::IsCharBoundary(runs, i)) << "offset " << i;
    // ア is 0x83 0x41: its second byte is an 'A' that is no letter of its own.
    EXPECT_EQ(dbcs::AsciiLower("ABC表アＡz"), "abc表アＡz");
}

TEST(TextSearch, FindsTheFirstOccurrenceThatSitsOnCharacterBoundaries)
{
    struct Case {
        const char* what;
        std::string text;
        std::string key;
        bool matchCase;
        std::size_t from;
        std::size_t found;
    } cases[] = {
        {"at the very start", "abc abc", "abc", true, 0, 0},
        {"the next one after it", "abc abc", "abc", true, 3, 4},
        {"none", "abc", "abd", true, 0, kNone},
        {"an empty key", "abc", "", true, 0, kNone},
        {"an empty text", "", "a", false, 0, kNone},
        {"line breaks count two bytes", "x\r\nabc\r\nfoo", "foo", true, 0, 8},
        {"case folded", "xABC", "abc", false, 0, 1},
        {"case kept", "xABC", "abc", true, 0, kNone},
        {"folded, the nearer of either case first", "xaBc Abc", "ABC", false, 0, 1},
        {"folded, the capital one first", "xABc abc", "abc", false, 0, 1},
        {"folded after a double-byte character", "x表ABC", "表abc", false, 0, 1},
        {"full-width letters compare exactly", "Ａ", "ａ", false, 0, kNone},
        {"the second byte of 表 is no backslash", "表", "\\", true, 0, kNone},
        {"a backslash after 表 is", "表\\", "\\", true, 0, 2},
        {"a double-byte character", "表示", "示", true, 0, 2},
        {"ア does not match ヂ without Match case", "ヂ", "ア", false, 0, kNone},
        {"nor a single A inside ア", "ア", "a", false, 0, kNone},
        {"a match ending on a lead byte", "表", "\x95", true, 0, kNone},
        {"a match starting on a second byte that is a lead byte", "\x95\x95\x95\x95", "\x95\x95", true, 1, 2},
        // The first "AA" starts on the second byte of ア; the genuine one overlaps it.
        {"a genuine match overlapping a rejected one", "アAA", "AA", true, 0, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(textsearch::FindOccurrence(c.text, c.key, c.matchCase, c.from), c.found) << c.what;
}

TEST(TextSearch, AWorkingCopyFindsOnlyWhatTheEditedTextStillHoldsAtItsNewPlace)
{
    struct Case {
        const char* what;
        std::string text;  // now; the copy was taken from offset 3 of `old`
        std::string old;
        bool found;
        std::size_t inCopy, inText;
    } cases[] = {
        {"no edit", "abc abc", "abc abc", true, 1, 4},
        {"typed before: moved", "XXabc abc", "abc abc", true, 1, 6},
        {"deleted before: moved", "bc abc", "abc abc", true, 1, 3},
        {"typed after: not searched", "abc xabc", "abc x", false, 0, 0},
        {"typed after it: still there", "abc abcabc", "abc abc", true, 1, 4},
        {"edited away: the next one", "abc axc abc", "abc abc abc", true, 5, 8},
        {"broken by typing inside", "abc abXc", "abc abc", false, 0, 0},
        {"edited before and inside: placed by the end", "Xabc Yabc", "abc abc", true, 1, 6},
    };
    for (const Case& c : cases) {
        textsearch::TCopyOccurrence found{};
        ASSERT_EQ(textsearch::FindInCopy(c.text, 3, c.old.substr(3), "abc", true, found), c.found) << c.what;
        if (c.found) {
            EXPECT_EQ(found.InCopy, c.inCopy) << c.what;
            EXPECT_EQ(found.InText, c.inText) << c.what;
        }
    }
}

TEST(TextSearch, ReplaceAllChangesOneSpanAndNeverSearchesItsReplacements)
{
    struct Case {
        const char* what;
        std::string text, key, with;
        bool matchCase;
        std::size_t first, end;
        std::string replaced;
        int count;
    } cases[] = {
        {"two occurrences", "<abc abc>", "abc", "x", true, 1, 8, "x x", 2},
        {"case folded", "Abc aBC", "abc", "X", false, 0, 7, "X X", 2},
        {"never overlapping", "aaa", "aa", "b", true, 0, 2, "b", 1},
        {"the replacement holds the key", "aaa", "a", "aa", true, 0, 3, "aaaaaa", 3},
        {"only the backslash of its own", "表\\表", "\\", "/", true, 2, 3, "/", 1},
        {"nothing found", "abc", "x", "y", true, 0, 0, "", 0},
    };
    for (const Case& c : cases) {
        const textsearch::TReplacedSpan span = textsearch::ReplaceAll(c.text, c.key, c.with, c.matchCase);
        EXPECT_EQ(span.Count, c.count) << c.what;
        EXPECT_EQ(span.First, c.first) << c.what;
        EXPECT_EQ(span.End, c.end) << c.what;
        EXPECT_EQ(span.Text, c.replaced) << c.what;
    }
}

}  // namespace
