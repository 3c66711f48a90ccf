// The operations every list of strings inherits: text join and split, name=value entries, and the
// defaults built on the primitives (checked on a list that provides nothing but them).
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/string_list.h"
#include "framework/core/strings.h"

namespace {

// Only the primitives, as a list kept elsewhere (the memo's lines) provides them.
class TPlainStrings : public TStrings {
public:
    std::string Get(int index) const override { return entries_.at(index).first; }
    int Count() const override { return static_cast<int>(entries_.size()); }
    void Clear() override { entries_.clear(); }
    void Delete(int index) override { entries_.erase(entries_.begin() + index); }
    void Insert(int index, std::string s) override
    {
        entries_.insert(entries_.begin() + index, {std::move(s), nullptr});
    }
    TObject* GetObject(int index) const override { return entries_.at(index).second; }
    void PutObject(int index, TObject* object) override { entries_.at(index).second = object; }

    std::vector<bool> updates;  // the update-state hook's calls

protected:
    void SetUpdateState(bool updating) override { updates.push_back(updating); }

private:
    std::vector<std::pair<std::string, TObject*>> entries_;
};

std::vector<std::string> Entries(const TStrings& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.Count(); ++i)
        entries.push_back(list.Get(i));
    return entries;
}

std::vector<std::string> Split(std::string_view text)
{
    TStringList list;
    list.SetText(text);
    return Entries(list);
}

using Lines = std::vector<std::string>;

TObject* Tag(std::intptr_t n) { return reinterpret_cast<TObject*>(n); }

}  // namespace

TEST(StringsText, JoinEndsEveryEntryWithCrLf)
{
    TStringList list;
    EXPECT_EQ(list.Text(), "");
    list.Add("");
    EXPECT_EQ(list.Text(), "\r\n");
    list.Clear();
    list.Add("a");
    list.Add("表");
    EXPECT_EQ(list.Text(), "a\r\n表\r\n");

    TPlainStrings plain;  // the base's own join
    plain.Add("a");
    plain.Add("");
    plain.Add("表");
    EXPECT_EQ(plain.Text(), "a\r\n\r\n表\r\n");
}

TEST(StringsText, SplitEndsLinesAtCrLfCrAndLf)
{
    EXPECT_EQ(Split(""), Lines{});
    EXPECT_EQ(Split("a"), Lines{"a"});
    EXPECT_EQ(Split("a\r\n"), Lines{"a"});
    EXPECT_EQ(Split("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(Split("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(Split("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(Split("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(Split("a\n\rb"), (Lines{"a", "", "b"}));       // LF CR ends two lines
    EXPECT_EQ(Split("x\r\r\ny"), (Lines{"x", "", "y"}));     // CR CR LF: a line, then an empty one
    EXPECT_EQ(Split("\r\n"), Lines{""});
    EXPECT_EQ(Split("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(Split("a\r\nb\0c\r\nd"), (Lines{"a", "b"})); // a NUL ends the text (literal stops there)
    EXPECT_EQ(Split(std::string_view("a\r\nb\0c\r\nd", 10)), (Lines{"a", "b"}));
    EXPECT_EQ(Split(std::string_view("\0abc", 4)), Lines{});
    EXPECT_EQ(Split(std::string_view("a\r\0b", 4)), Lines{"a"});
}

TEST(StringsText, SplitNeverBreaksADoubleByteCharacter)
{
    // Trail bytes 0x5C, 0x7C and letters: only NUL, CR and LF end lines.
    EXPECT_EQ(Split("ソ表\\能|ポ｜\r\nアA\nヂa"), (Lines{"ソ表\\能|ポ｜", "アA", "ヂa"}));
}

TEST(StringsText, SetTextReplacesTheEntriesInOneUpdate)
{
    TPlainStrings plain;
    plain.Add("old");
    plain.updates.clear();
    plain.SetText("x\ny");
    EXPECT_EQ(Entries(plain), (Lines{"x", "y"}));
    EXPECT_EQ(plain.updates, (std::vector<bool>{true, false}));
}

TEST(StringsText, ZeroTerminatedBuffers)
{
    TStringList list;
    list.SetTextBuffer("a\r\nb");
    EXPECT_EQ(Entries(list), (Lines{"a", "b"}));
    auto buffer = list.GetTextBuffer();
    EXPECT_STREQ(buffer.get(), "a\r\nb\r\n");
    list.SetTextBuffer(nullptr);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_STREQ(list.GetTextBuffer().get(), "");
}

TEST(StringsDefaults, PutExchangeAndMoveKeepObjectsWithTheirStrings)
{
    TPlainStrings plain;
    plain.AddObject("a", Tag(1));
    plain.AddObject("b", Tag(2));
    plain.InsertObject(0, "c", Tag(3));
    EXPECT_EQ(Entries(plain), (Lines{"c", "a", "b"}));

    plain.Put(1, "A");
    EXPECT_EQ(plain.Get(1), "A");
    EXPECT_EQ(plain.GetObject(1), Tag(1));

    plain.updates.clear();
    plain.Exchange(0, 2);
    EXPECT_EQ(Entries(plain), (Lines{"b", "A", "c"}));
    EXPECT_EQ(plain.GetObject(0), Tag(2));
    EXPECT_EQ(plain.GetObject(2), Tag(3));
    EXPECT_EQ(plain.updates, (std::vector<bool>{true, false}));

    plain.Move(2, 0);
    EXPECT_EQ(Entries(plain), (Lines{"c", "b", "A"}));
    EXPECT_EQ(plain.GetObject(0), Tag(3));
    EXPECT_EQ(plain.IndexOfObject(Tag(1)), 2);
    EXPECT_EQ(plain.Capacity(), 3);
}

TEST(StringsDefaults, IndexOfComparesIgnoringCase)
{
    TPlainStrings plain;
    plain.SetText("alpha\r\nBeta\r\nbeta\r\n");
    EXPECT_EQ(plain.IndexOf("BETA"), 1);
    EXPECT_EQ(plain.IndexOf("gamma"), -1);
    EXPECT_LT(plain.CompareStrings("a", "B"), 0);
    EXPECT_GT(plain.CompareStrings("b", "A"), 0);
}

TEST(StringsDefaults, AddStringsAndAssignBracketTheirChanges)
{
    TStringList source;
    source.AddObject("x", Tag(1));
    source.AddObject("y", Tag(2));
    TPlainStrings plain;
    plain.Add("old");
    plain.updates.clear();
    plain.Assign(&source);
    EXPECT_EQ(Entries(plain), (Lines{"x", "y"}));
    EXPECT_EQ(plain.GetObject(1), Tag(2));
    // Assign's bracket encloses those of clear and add-all: the hook hears one pair.
    EXPECT_EQ(plain.updates, (std::vector<bool>{true, false}));
    EXPECT_TRUE(plain.Equals(source));
    EXPECT_TRUE(source.Equals(plain));
}

TEST(StringsNameValue, NamesAndValues)
{
    TStringList list;
    list.SetText("Font=ＭＳ ゴシック\r\nnoequals\r\n=empty name\r\nsize=10=12\r\n表=ソ\r\n");
    EXPECT_EQ(list.Names(0), "Font");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Values("FONT"), "ＭＳ ゴシック");  // found in another letter case
    EXPECT_EQ(list.Values("size"), "10=12");           // the value starts after the first "="
    EXPECT_EQ(list.Values("表"), "ソ");
    EXPECT_EQ(list.Values("noequals"), "");            // an entry without "=" never matches
    EXPECT_EQ(list.IndexOfName("noequals"), -1);
    EXPECT_EQ(list.IndexOfName(""), 2);
    EXPECT_EQ(list.Values("missing"), "");
}

TEST(StringsNameValue, SetValueAddsReplacesAndDeletes)
{
    TPlainStrings plain;
    plain.SetValue("a", "1");
    plain.SetValue("b", "2");
    plain.SetValue("A", "3");
    EXPECT_EQ(Entries(plain), (Lines{"A=3", "b=2"}));
    plain.SetValue("B", "");
    EXPECT_EQ(Entries(plain), Lines{"A=3"});
    plain.SetValue("zzz", "");  // nothing to delete
    EXPECT_EQ(plain.Count(), 1);
}

TEST(StringsNameValue, SeparatorSearchSkipsTrailBytes)
{
    EXPECT_EQ(FindNameSeparator("表=x"), 2u);
    EXPECT_EQ(FindNameSeparator("ab"), std::string::npos);
    EXPECT_EQ(FindNameSeparator("\x81"), std::string::npos);  // a lone lead byte at the end
    EXPECT_EQ(FindNameSeparator("ア="), 2u);
}
