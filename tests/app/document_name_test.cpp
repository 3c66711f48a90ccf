// The document's name from the command line, the caption made of its title, double-byte names whose
// second byte is a backslash included, and the names of devices.
#include <gtest/gtest.h>

#include "app/document_name.h"

namespace {

TEST(DocumentName, TheTitleIsWhatFollowsTheLastDelimiterThatIsACharacterOfItsOwn)
{
    struct Case {
        const char* path;
        const char* title;
    } cases[] = {
        {"C:\\a b\\t.txt", "t.txt"},      {"D:\\doc\\表", "表"},  // 表 is 0x95 0x5C: its second byte is no delimiter
        {"D:\\表\\ソ表.txt", "ソ表.txt"}, {"C:t.txt", "t.txt"},  {"t.txt", "t.txt"}, {"C:\\dir\\", ""}, {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileTitle(c.path), c.title) << c.path;
        EXPECT_EQ(MainCaption(FileTitle(c.path)), std::string(c.title) + " :  Velmora") << c.path;
    }
}

TEST(DocumentName, TheCommandLineLosesTheQuotedModulePathTheBlankAndOnePairOfQuotes)
{
    const std::string module = "C:\\V\\Velmora.exe";
    struct Case {
        std::string line;
        const char* name;
    } cases[] = {
        {"\"" + module + "\"", ""},
        {"\"" + module + "\" ", ""},
        {"\"" + module + "\" \"D:\\My Docs\\a.txt\"", "D:\\My Docs\\a.txt"},
        {"\"" + module + "\" D:\\My Docs\\a.txt", "D:\\My Docs\\a.txt"},
        {"\"" + module + "\" \"D:\\表\"", "D:\\表"},
        {"\"" + module + "\" \"\"", ""},
        {"\"" + module + "\" a.txt b.txt", "a.txt b.txt"},  // the rest of the line is one name
        {module + " D:\\a.txt", "\\a.txt"},                 // unquoted: the argument's first two go
        {"V.exe", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileNameFromCommandLine(c.line, module.size()), c.name) << c.line;
}

TEST(DocumentName, DeviceNamesAreKnownInAnyFolderCaseAndExtension)
{
    struct Case {
        const char* name;
        bool device;
    } cases[] = {
        {"aux.txt", true},     {"C:\\doc\\CON", true}, {"nul.txt", true},     {"com1", true},
        {"Lpt9.tar.gz", true}, {"aux .txt", true},     {"D:\\表\\prn", true}, {"auxiliary.txt", false},
        {"com10", false},      {"con\\a.txt", false},  {"", false},           {"表aux", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsDeviceName(c.name), c.device) << c.name;
}

}  // namespace
