// The operations every list of strings inherits: text join and split, name=value entries, and the
// defaults built on the primitives (checked on a list that provides nothing but them), and the
// string list's own faster text operations against them.
#include <random>

#include <gtest/gtest.h>

#include "framework/core/exceptions.h"
#include "framework/core/memory_stream.h"
#include "tests/framework/core/list_test_support.h"
#include "tests/support/alloc_counter.h"

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

    std::string updates;  // the update-state hook's calls: + begins, - ends

protected:
    void SetUpdateState(bool updating) override { updates += updating ? '+' : '-'; }

private:
    std::vector<std::pair<std::string, TObject*>> entries_;
};

Lines Split(std::string_view text)
{
    TPlainStrings plain;
    plain.SetText(text);
    return Entries(plain);
}

// Text made of the bytes that matter to splitting, at every alignment: line ends, NUL, other
// control bytes, a double-byte character with trail byte 0x5C, letters.
std::string RandomText(std::mt19937& random, std::size_t length)
{
    static const std::string pieces[] = {
        "a",
        "bc",
        "表",
        "\r",
        "\n",
        "\r\n",
        "\t",
        "\x0B",
        "\x0C",
        "\x01",
        "\x0E",
        "\xFF",
        "long line without breaks ",
        std::string(1, '\0')};
    std::string text;
    while (text.size() < length) {
        const std::string& piece = pieces[random() % std::size(pieces)];
        if (piece[0] != '\0' || random() % 8 == 0)  // keep NUL rare
            text += piece;
    }
    return text;
}

}  // namespace

TEST(StringsText, JoinAndSplit)
{
    TPlainStrings plain;
    EXPECT_EQ(plain.Text(), "");
    plain.Add("");
    EXPECT_EQ(plain.Text(), "\r\n");
    plain.Add("表");
    EXPECT_EQ(plain.Text(), "\r\n表\r\n");

    EXPECT_EQ(Split(""), Lines{});
    EXPECT_EQ(Split("a\r\n"), Lines{"a"});
    EXPECT_EQ(Split("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(Split("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(Split("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(Split("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(Split("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(Split("x\r\r\ny"), (Lines{"x", "", "y"}));
    EXPECT_EQ(Split(std::string_view("a\r\nb\0c\r\nd", 9)), (Lines{"a", "b"}));
    EXPECT_EQ(Split(std::string_view("a\r\0b", 4)), Lines{"a"});
    EXPECT_EQ(Split("ソ表\\能|ポ｜\r\nアA\nヂa"), (Lines{"ソ表\\能|ポ｜", "アA", "ヂa"}));

    plain.updates.clear();
    plain.SetText("x\ny");
    EXPECT_EQ(Entries(plain), (Lines{"x", "y"}));
    EXPECT_EQ(plain.updates, "+-");

    TStringList list;
    list.SetTextBuffer("a\r\nb");
    EXPECT_STREQ(list.GetTextBuffer().get(), "a\r\nb\r\n");
}

TEST(StringsText, TheListSplitsAndSavesExactlyLikeTheBase)
{
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomText(random, random() % 200);
        TPlainStrings plain;
        plain.SetText(text);
        TStringList list;
        list.SetText(text);
        ASSERT_EQ(Entries(list), Entries(plain)) << "round " << round;
        TMemoryStream saved;
        list.SaveToStream(saved);
        ASSERT_EQ(std::string(static_cast<const char*>(saved.Memory()), saved.Size()), plain.Text()) << round;
    }
}

TEST(StringsText, SavingLongListsAndLongLines)
{
    // Lines that fill and overflow the pieces the list writes in, and one line longer than a piece.
    TStringList list;
    std::string expected;
    for (int i = 0; i < 40000; ++i) {
        std::string line(i % 97, static_cast<char>('a' + i % 26));
        expected += line + "\r\n";
        list.Add(std::move(line));
    }
    std::string huge(3 * 1024 * 1024 + 5, 'x');
    list.Add(huge);
    list.Add("");
    expected += huge + "\r\n\r\n";
    TMemoryStream stream;
    list.SaveToStream(stream);
    ASSERT_EQ(stream.Size(), static_cast<std::int64_t>(expected.size()));
    EXPECT_TRUE(std::string(static_cast<const char*>(stream.Memory()), expected.size()) == expected);
    EXPECT_TRUE(list.Text() == expected);
}

TEST(StringsText, LoadedLinesGrowAndSortLikeAddedOnes)
{
    for (int lines : {0, 1, 5, 13, 29, 300}) {
        std::string text;
        TStringList oneByOne;
        for (int i = 0; i < lines; ++i) {
            text += "line\r\n";
            oneByOne.Add("line");
        }
        TStringList list;
        list.SetText(text);
        EXPECT_EQ(list.Capacity(), oneByOne.Capacity()) << lines << " lines";
    }

    TStringList sorted;
    sorted.SetSorted(true);
    sorted.SetText("pear\nApple\napple\nfig\n");
    EXPECT_EQ(Entries(sorted), (Lines{"Apple", "fig", "pear"}));
    sorted.SetDuplicates(dupError);
    EXPECT_THROW(sorted.SetText("x\nX\n"), EStringListError);

    // Loaded lines share one block: changing or deleting some leaves the others intact.
    TStringList loaded;
    loaded.SetText("one\ntwo\nthree\n");
    loaded.Put(1, "2");
    loaded.Delete(0);
    loaded.SetText(loaded.Text());
    EXPECT_EQ(Entries(loaded), (Lines{"2", "three"}));
}

TEST(StringsDefaults, PutExchangeMoveAndAssignThroughThePrimitives)
{
    TPlainStrings plain;
    plain.AddObject("a", Tag(1));
    plain.AddObject("b", Tag(2));
    plain.InsertObject(0, "c", Tag(3));
    plain.Put(1, "A");
    EXPECT_EQ(Entries(plain), (Lines{"c", "A", "b"}));
    EXPECT_EQ(plain.GetObject(1), Tag(1));

    plain.updates.clear();
    plain.Exchange(0, 2);
    plain.Move(2, 0);
    EXPECT_EQ(Entries(plain), (Lines{"c", "b", "A"}));
    EXPECT_EQ(plain.GetObject(0), Tag(3));
    EXPECT_EQ(plain.GetObject(1), Tag(2));
    EXPECT_EQ(plain.updates, "+-+-");
    EXPECT_EQ(plain.IndexOf("a"), 2);
    EXPECT_EQ(plain.IndexOfObject(Tag(2)), 1);
    EXPECT_EQ(plain.Capacity(), 3);

    TStringList source;
    source.AddObject("x", Tag(1));
    plain.updates.clear();
    plain.Assign(&source);
    EXPECT_TRUE(plain.Equals(source));
    EXPECT_EQ(plain.GetObject(0), Tag(1));
    EXPECT_EQ(plain.updates, "+-");  // clear and add-all inside one bracket
}

TEST(StringsNameValue, NamesValuesAndSetValue)
{
    TStringList list;
    list.SetText("Font=ＭＳ ゴシック\r\nnoequals\r\n=empty name\r\nsize=10=12\r\n表=ソ\r\n");
    EXPECT_EQ(list.Names(0), "Font");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.Values("FONT"), "ＭＳ ゴシック");
    EXPECT_EQ(list.Values("size"), "10=12");
    EXPECT_EQ(list.Values("表"), "ソ");
    EXPECT_EQ(list.IndexOfName("noequals"), -1);
    EXPECT_EQ(list.IndexOfName(""), 2);
    EXPECT_EQ(FindNameSeparator("ア="), 2u);

    TPlainStrings plain;
    plain.SetValue("a", "1");
    plain.SetValue("b", "2");
    plain.SetValue("A", "3");
    plain.SetValue("B", "");
    plain.SetValue("zzz", "");
    EXPECT_EQ(Entries(plain), Lines{"A=3"});
}

TEST(StringsText, LoadedBlocksAreFreedWithTheirLastLine)
{
    // Lines sharing a loaded block, copied, changed, sorted, deleted and destroyed give it all back.
    const std::size_t before = testsupport::LiveAllocations();
    {
        TStringList list;
        list.SetText("one\r\ntwo\r\nthree\r\nfour\r\n");
        TStringList other;
        other.Assign(&list);
        list.Put(0, "1");
        list.Delete(1);
        list.Sort();
        other.SetText(list.Text());
        TMemoryStream stream;
        other.SaveToStream(stream);
        stream.SetPosition(0);
        list.LoadFromStream(stream);
    }
    EXPECT_EQ(testsupport::LiveAllocations(), before);
}
