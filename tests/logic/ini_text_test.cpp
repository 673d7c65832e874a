#include "logic/ini_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tellurane {
namespace {

// A file written by hand: comments, blanks around names, a section for a clock, one for its alarm, a value
// in quotes, one before any section, a line of no UTF-8 and one cut short.
constexpr char kHandWritten[] =
    "\xEF\xBB\xBF; my clock\r\n"
    "stray=1\r\n"
    "[Tellurane]\r\n"
    "Font Size = 24\r\n"
    "Label=\"  Tokyo \\\"east\\\" \"\n"
    "\r\n"
    "[Clocks\\1]\r\n"
    "TimeZone=Tokyo Standard Time\r\n"
    "Caf\xC3\xA9=\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x95\x90\r\n"
    "bad \xC3(\r\n"
    "[clocks\\1\\Alarms\\2]\r\n"
    "Time=07:30\r\n"
    "[Clocks\\10]\r\n"
    "Font Si";

TEST(IniText, AHandWrittenFileReadsEveryGoodLineKeepsTheRestAndWritesItAllBack) {
    std::vector<IniDocument::Problem> problems;
    IniDocument ini = IniDocument::Parse(kHandWritten, &problems);
    struct Case {
        const wchar_t* section;
        const wchar_t* name;
        const wchar_t* value;  // nullptr: none
    };
    for (const Case& c : {Case{L"Tellurane", L"Font Size", L"24"}, Case{L"TELLURANE", L"font size", L"24"},
                          Case{L"Tellurane", L"Label", L"  Tokyo \"east\" "},
                          Case{L"Clocks\\1", L"Caf\u00E9", L"\u6771\u4EAC \U0001F550"},
                          Case{L"Clocks\\1\\Alarms\\2", L"Time", L"07:30"}, Case{L"Tellurane", L"stray", nullptr},
                          Case{L"Clocks\\1", L"Time", nullptr}, Case{L"Clocks\\10", L"Font Si", nullptr}}) {
        const std::wstring* found = ini.Find(c.section, c.name);
        if (c.value) {
            ASSERT_TRUE(found) << testing::PrintToString(std::wstring(c.name));
            EXPECT_EQ(*found, c.value);
        } else {
            EXPECT_FALSE(found) << testing::PrintToString(std::wstring(c.name));
        }
    }
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].line, 2) << "a value before any section";
    EXPECT_EQ(problems[1].line, 10) << "no UTF-8";
    EXPECT_EQ(problems[2].line, 14) << "cut short";
    EXPECT_EQ(problems[2].text, L"Font Si");

    // Written back unchanged but for the values set, every kept line where it was, the new section apart.
    ini.Set(L"tellurane", L"FONT SIZE", L"30");
    ini.Set(L"Tellurane", L"Check1", L"1");
    ini.Set(L"Clocks\\2", L"Label", L"line\none\ttab\x01");
    const std::string written = ini.Serialize();
    EXPECT_EQ(
        written,
        "; my clock\r\nstray=1\r\n[Tellurane]\r\nFont Size=30\r\nLabel=\"  Tokyo \\\"east\\\" \"\r\nCheck1=1\r\n"
        "\r\n[Clocks\\1]\r\nTimeZone=Tokyo Standard Time\r\nCaf\xC3\xA9=\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x95\x90\r\n"
        "bad \xC3(\r\n[clocks\\1\\Alarms\\2]\r\nTime=07:30\r\n[Clocks\\10]\r\nFont Si\r\n"
        "\r\n[Clocks\\2]\r\nLabel=\"line\\none\\ttab\\x01\"\r\n");
    // And read again, the same.
    problems.clear();
    const IniDocument again = IniDocument::Parse(written, &problems);
    EXPECT_EQ(problems.size(), 3u);
    EXPECT_EQ(*again.Find(L"Clocks\\2", L"Label"), L"line\none\ttab\x01");
    EXPECT_EQ(*again.Find(L"Tellurane", L"Label"), L"  Tokyo \"east\" ");
    EXPECT_EQ(again.Serialize(), written);
}

TEST(IniText, KeysBelowAKeyAreItsSectionsChildrenAndGoWithIt) {
    IniDocument ini = IniDocument::Parse(kHandWritten);
    EXPECT_EQ(ini.Children(L"Clocks"), (std::vector<std::wstring>{L"1", L"10"}));
    EXPECT_EQ(ini.Children(L"Clocks\\1\\Alarms"), (std::vector<std::wstring>{L"2"}));
    EXPECT_EQ(ini.Children(L"Alarms"), std::vector<std::wstring>{});
    ini.Set(L"Clocks\\3\\Alarms\\1", L"Time", L"08:00");  // its clock's key implied
    EXPECT_EQ(ini.Children(L"Clocks"), (std::vector<std::wstring>{L"1", L"10", L"3"}));
    ini.EraseTree(L"Clocks\\1");
    EXPECT_EQ(ini.Children(L"Clocks"), (std::vector<std::wstring>{L"10", L"3"}));
    EXPECT_FALSE(ini.Find(L"Clocks\\1\\Alarms\\2", L"Time"));
    EXPECT_EQ(*ini.Find(L"Tellurane", L"Font Size"), L"24");

    // An empty file takes its first value as a file of one section.
    IniDocument empty = IniDocument::Parse("");
    empty.Set(L"Tellurane", L"Form1Left", L"-60");
    EXPECT_EQ(empty.Serialize(), "[Tellurane]\r\nForm1Left=-60\r\n");
    // What is no quoting of ours reads as it stands.
    for (const wchar_t* plain : {L"\"", L"\"open", L"C:\\Media\\x.wav", L"a \"b\""}) {
        EXPECT_EQ(IniUnquoted(plain), plain);
        EXPECT_EQ(IniUnquoted(IniQuoted(plain)), plain);
    }
}

// The copy written before the file itself is trusted only when it reached the disk whole.
TEST(IniText, ASealedCopyOpensOnlyWhole) {
    for (const std::string& text :
         {std::string(kHandWritten), std::string("[Tellurane]\r\nFontSize=24\r\n"), std::string()}) {
        const std::string copy = SealedCopy(text);
        EXPECT_EQ(OpenSealedCopy(copy), text);
        for (std::size_t cut = 0; cut < copy.size(); ++cut) {
            EXPECT_EQ(OpenSealedCopy(copy.substr(0, cut)), std::nullopt) << "cut at " << cut;
        }
        EXPECT_EQ(OpenSealedCopy(copy + std::string(512, '\0')), std::nullopt) << "lengthened with zeros";
        for (std::size_t at = 0; at < copy.size(); at += 7) {
            std::string garbled = copy;
            garbled[at] ^= 0x20;
            EXPECT_EQ(OpenSealedCopy(garbled), std::nullopt) << "byte " << at;
        }
    }
    EXPECT_EQ(OpenSealedCopy(std::string(kHandWritten)), std::nullopt) << "an earlier version's copy";
}

}  // namespace
}  // namespace tellurane
