#include "logic/ini_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tellurane {
namespace {

// A file written by hand: comments, blanks around names, a section for a clock, one for its alarm, a value
// in quotes, one before any section, a line of no UTF-8 and one cut short; a quoted path ending in a
// backslash, a value holding "=", a lowercase escape, a line without a name, a header with blanks inside.
constexpr char kHandWritten[] =
    "\xEF\xBB\xBF; my clock\r\n"
    "stray=1\r\n"
    "[Tellurane]\r\n"
    "Font Size = 24\r\n"
    "Label=\"  Tokyo \\\"east\\\" \"\n"
    "# Sound=none\r\n"
    "Sound=\"C:\\Media\\\"\r\n"
    "Formula = E=mc2\r\n"
    "Note=\"one\\x0atwo\"\r\n"
    "Empty=\"\"\r\n"
    "=5\r\n"
    "\r\n"
    "[Clocks\\1]\r\n"
    "TimeZone=Tokyo Standard Time\r\n"
    "Caf\xC3\xA9=\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x95\x90\r\n"
    "bad \xC3(\r\n"
    "[ clocks\\1\\Alarms\\2 ]\r\n"
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
    for (const Case& c :
         {Case{L"Tellurane", L"Font Size", L"24"}, Case{L"TELLURANE", L"font size", L"24"},
          Case{L"Tellurane", L"Label", L"  Tokyo \"east\" "}, Case{L"Tellurane", L"Sound", L"C:\\Media\\"},
          Case{L"Tellurane", L"Formula", L"E=mc2"}, Case{L"Tellurane", L"Note", L"one\ntwo"},
          Case{L"Tellurane", L"Empty", L""}, Case{L"Tellurane", L"# Sound", nullptr},
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
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].line, 2) << "a value before any section";
    EXPECT_EQ(problems[1].line, 11) << "no name";
    EXPECT_EQ(problems[2].line, 16) << "no UTF-8";
    EXPECT_EQ(problems[3].line, 20) << "cut short";
    EXPECT_EQ(problems[3].text, L"Font Si");

    // Written back unchanged but for the values set, every kept line where it was, the new section apart.
    ini.Set(L"tellurane", L"FONT SIZE", L"30");
    ini.Set(L"Tellurane", L"Check1", L"1");
    ini.Set(L"Clocks\\2", L"Label", L"line\none\ttab\x01");
    const std::string written = ini.Serialize();
    EXPECT_EQ(
        written,
        "; my clock\r\nstray=1\r\n[Tellurane]\r\nFont Size=30\r\nLabel=\"  Tokyo \\\"east\\\" \"\r\n# Sound=none\r\n"
        "Sound=C:\\Media\\\r\nFormula=E=mc2\r\nNote=\"one\\ntwo\"\r\nEmpty=\r\n=5\r\nCheck1=1\r\n"
        "\r\n[Clocks\\1]\r\nTimeZone=Tokyo Standard Time\r\nCaf\xC3\xA9=\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x95\x90\r\n"
        "bad \xC3(\r\n[ clocks\\1\\Alarms\\2 ]\r\nTime=07:30\r\n[Clocks\\10]\r\nFont Si\r\n"
        "\r\n[Clocks\\2]\r\nLabel=\"line\\none\\ttab\\x01\"\r\n");
    // And read again, the same.
    problems.clear();
    const IniDocument again = IniDocument::Parse(written, &problems);
    EXPECT_EQ(problems.size(), 4u);
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
    // One blank line between sections, also after a file that ends in one.
    IniDocument blank = IniDocument::Parse("[Tellurane]\r\nCheck1=1\r\n\r\n");
    blank.Set(L"Clocks\\1", L"Label", L"Tokyo");
    EXPECT_EQ(blank.Serialize(), "[Tellurane]\r\nCheck1=1\r\n\r\n[Clocks\\1]\r\nLabel=Tokyo\r\n");
    const IniDocument cut = IniDocument::Parse("[Tellurane]\r\nCheck1=1\r");  // its last line's LF lost
    EXPECT_EQ(*cut.Find(L"Tellurane", L"Check1"), L"1");
    // What is no quoting of ours reads as it stands.
    for (const wchar_t* plain : {L"\"", L"\"open", L"C:\\Media\\x.wav", L"a \"b\""}) {
        EXPECT_EQ(IniUnquoted(plain), plain);
        EXPECT_EQ(IniUnquoted(IniQuoted(plain)), plain);
    }
    // Every value comes back from the file as it was written, whatever its characters (in UTF-8 of each
    // length, and beyond the basic plane, which the Windows build holds as pairs), in the form shown.
    struct Written {
        const wchar_t* value;
        const char* line;
    };
    for (const Written& w :
         {Written{L"E=mc2", "E=mc2"}, Written{L"C:\\Media\\", "C:\\Media\\"},
          Written{L"\"C:\\Media\\\"", R"("\"C:\\Media\\\"")"}, Written{L" C:\\Media\\ ", R"(" C:\\Media\\ ")"},
          Written{L"ends in a blank ", "\"ends in a blank \""}, Written{L"\x1F\x7F\r\n", R"("\x1F\x7F\r\n")"},
          Written{L"\\x0a \\n", "\\x0a \\n"}, Written{L"# ; [x] =", "# ; [x] ="}, Written{L"", ""},
          Written{L"\u007F\u0080\u07FF\u0800\uFFFD", "\"\\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBD\""},
          Written{L"\U00010000\U0001F550\U0010FFFF", "\xF0\x90\x80\x80\xF0\x9F\x95\x90\xF4\x8F\xBF\xBF"}}) {
        IniDocument file;
        file.Set(L"Tellurane", L"Label", w.value);
        const std::string bytes = file.Serialize();
        EXPECT_EQ(bytes, std::string("[Tellurane]\r\nLabel=") + w.line + "\r\n");
        const IniDocument again = IniDocument::Parse(bytes);
        const std::wstring* read = again.Find(L"Tellurane", L"Label");
        EXPECT_TRUE(read && *read == w.value) << testing::PrintToString(bytes);
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
