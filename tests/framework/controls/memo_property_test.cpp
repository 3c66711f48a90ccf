// Random byte files opened into the memo and saved come back byte for byte, also after a character
// typed and deleted and after a selection cut and pasted back. Every file goes through the units the
// window is given; the window's layout costs about a second per megabyte, so one file in ten goes
// through the window itself and one in forty is edited there. MEMO_PROPERTY_FILES and
// MEMO_PROPERTY_SEED ask for a longer run or another one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "framework/controls/edit_text_codec.h"
#include "framework/controls/memo.h"
#include "framework/core/double_byte.h"
#include "platform/locale.h"
#include "tests/framework/controls/controls_test_support.h"

using namespace controlstest;

namespace {

unsigned long Setting(const char* name, unsigned long otherwise)
{
    const char* value = std::getenv(name);
    return value && *value ? std::strtoul(value, nullptr, 10) : otherwise;
}

// The pairs of a lead byte and a trail byte that do not come back from the code page's round trip.
std::vector<std::string> UnfaithfulPairs()
{
    std::vector<std::string> pairs;
    for (int lead = 0x81; lead <= 0xFC; ++lead)
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            if (dbcs::IsLeadByte(pair[0]) && dbcs::PairedCharLength(pair, 0) == 2 &&
                platform::WideToAnsi(platform::AnsiToWide(pair)) != pair)
                pairs.push_back(pair);
        }
    return pairs;
}

// Every byte but NUL, CR and LF only as CR LF, up to 4 KB, with unfaithful pairs taken in turn.
struct TFileMaker {
    std::string Next()
    {
        std::string file;
        const std::size_t length = std::uniform_int_distribution<std::size_t>(0, 4096)(random);
        while (file.size() < length) {
            const int pick = std::uniform_int_distribution<int>(0, 99)(random);
            if (pick < 4)
                file += "\r\n";
            else if (pick < 8)
                file += pairs[next++ % pairs.size()];
            else if (const int byte = std::uniform_int_distribution<int>(1, 255)(random); byte != '\r' && byte != '\n')
                file += static_cast<char>(byte);
        }
        return file;
    }

    std::mt19937 random;
    const std::vector<std::string> pairs = UnfaithfulPairs();
    std::size_t next = 0;  // the pair to take next
};

// Equal bytes, or where they first differ, with the bytes around it.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    const std::size_t at = static_cast<std::size_t>(
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first - actual.begin());
    auto around = [&](const std::string& text) {
        return ::testing::PrintToString(text.substr(at < 8 ? 0 : at - 8, 16));
    };
    return ::testing::AssertionFailure()
           << actual.size() << " bytes, " << expected.size() << " expected; first difference at " << at << ": "
           << around(actual) << " instead of " << around(expected);
}

// The offsets where the code page's characters start in `text` (a line break is one), and its end.
std::vector<std::size_t> CharStarts(const std::string& text)
{
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size();
         at += text.compare(at, 2, "\r\n") == 0 ? 2 : dbcs::PairedCharLength(text, at))
        starts.push_back(at);
    starts.push_back(text.size());
    return starts;
}

TEST(MemoProperty, RandomFilesComeBackByteForByte)
{
    const unsigned long files = Setting("MEMO_PROPERTY_FILES", 10000);
    constexpr unsigned long kWindowEvery = 10, kEditEvery = 40;
    const auto seed = static_cast<unsigned>(Setting("MEMO_PROPERTY_SEED", 20261208));
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::unique_ptr<TTestForm> form(MakeShownForm(400, 300));
    auto* memo = new TMemo(form.get());
    memo->SetBounds(0, 0, 400, 300);
    memo->SetParent(form.get());
    memo->SetWordWrap(false);
    TFileMaker maker{std::mt19937(seed)};
    std::mt19937& random = maker.random;
    auto pick = [&](std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); };
    const wchar_t typed[] = {L'a', L'表', L'ｱ', L'\t', L'\r', L'ア'};
    // Files go into the window a batch at a time, between line breaks: the window's layout is the cost.
    constexpr unsigned long kBatch = 25;
    unsigned long encoded = 0, opened = 0, typedAndDeleted = 0, cutAndPasted = 0;
    for (unsigned long first = 0; first < files; first += kBatch * kWindowEvery) {
        std::string text;
        std::vector<std::size_t> starts;
        std::vector<unsigned long> numbers;
        for (unsigned long i = first; i < std::min(files, first + kBatch * kWindowEvery); ++i) {
            const std::string file = maker.Next();
            const edittext::TEncodedText units = edittext::Encode(file);
            ASSERT_TRUE(SameBytes(edittext::Decode(units.Units), file)) << "file " << i;
            std::size_t characters = 0;  // each one unit: the caret never stands inside one
            for (std::size_t at = 0; at < file.size(); at += dbcs::PairedCharLength(file, at))
                ++characters;
            ASSERT_EQ(units.Units.size(), characters) << "file " << i;
            ++encoded;
            if (i % kWindowEvery != 0)
                continue;
            text += "\r\n";
            starts.push_back(text.size());
            numbers.push_back(i);
            text += file;
        }
        starts.push_back(text.size() + 2);
        memo->Lines()->SetText(text);
        ASSERT_TRUE(SameBytes(memo->Text(), text)) << "opened, batch from file " << first;
        opened += starts.size() - 1;
        const std::vector<std::size_t> chars = CharStarts(text);
        for (std::size_t file = 0; file + 1 < starts.size(); ++file) {
            if (numbers[file] % kEditEvery != 0)
                continue;
            // A character typed and deleted at a character start of the file.
            const std::size_t begin = starts[file], end = starts[file + 1] - 2;
            const auto someCharStart = [&] {
                return *std::lower_bound(chars.begin(), chars.end(), begin + pick(4097) % (end - begin + 1));
            };
            const std::size_t at = someCharStart();
            memo->SetSelectionStart(static_cast<int>(at));
            ASSERT_EQ(memo->SelectionStart(), static_cast<int>(at)) << "file " << numbers[file];
            const wchar_t key = typed[pick(std::size(typed))];
            PostMessageW(memo->Handle(), WM_CHAR, key, 1);
            PostMessageW(memo->Handle(), WM_CHAR, L'\b', 1);
            PumpPending();
            ASSERT_TRUE(SameBytes(memo->Text(), text))
                << "U+" << std::hex << static_cast<unsigned>(key) << std::dec << " typed and deleted at " << at
                << " in file " << numbers[file];
            ++typedAndDeleted;
            // A selection cut and pasted back.
            const auto [from, to] = std::minmax({someCharStart(), someCharStart()});
            if (from == to)
                continue;
            memo->SetSelectionStart(static_cast<int>(from));
            memo->SetSelectionLength(static_cast<int>(to - from));
            ASSERT_EQ(memo->SelectionLength(), static_cast<int>(to - from)) << "file " << numbers[file];
            memo->CutSelection();
            memo->PasteClipboard();
            ASSERT_TRUE(SameBytes(memo->Text(), text)) << "cut and pasted in file " << numbers[file];
            ++cutAndPasted;
        }
    }
    std::printf(
        "[ memo property ] seed %u: %lu files through the window's units, %lu opened in the memo and "
        "saved, %lu with a character typed and deleted, %lu with a selection cut and pasted back; %zu of %zu "
        "unfaithful pairs among them\n",
        seed, encoded, opened, typedAndDeleted, cutAndPasted, std::min(maker.next, maker.pairs.size()),
        maker.pairs.size());
}

}  // namespace
