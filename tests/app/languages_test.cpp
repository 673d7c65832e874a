// The settings window and Clock options in every language the program holds, and in the tests'
// pseudo-language (every text 40 % longer, accented, bracketed): each control's text fits the control,
// measured with the control's own font as it is drawn; the English layout stays exactly as drawn; under
// Arabic and Hebrew the windows are mirrored.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/alarms/alarm_windows.h"
#include "app/clock/clock_options.h"
#include "app/language.h"
#include "app/main_module.h"
#include "app/settings/form2.h"
#include "app/settings_store.h"
#include "logic/languages.h"
#include "logic/layouts.h"
#include "logic/texts.h"
#include "logic/twips.h"
#include "tests/app/clock/clock_fixture.h"
#include "tests/support/desktop.h"
#include "win32/dpi.h"
#include "win32/form.h"
#include "win32/language.h"
#include "win32/message_loop.h"
#include "win32/push_button.h"

namespace tellurane {
namespace {

// What a control draws beside its text: a check box its box and the gap after it, a frame the
// breaks in its border, a button its edges.
int Decoration(ControlKind kind, int dpi) {
    switch (kind) {
        case ControlKind::CheckBox:
            return MulDiv(GetSystemMetrics(SM_CXMENUCHECK), dpi, SystemDpi()) + MulDiv(4, dpi, 96);
        case ControlKind::Frame:
            return MulDiv(14, dpi, 96);
        case ControlKind::PushButton:
            return MulDiv(8, dpi, 96);
        default:
            return 0;
    }
}

// Each control whose text does not fit, as "language control: needs W x H, has W x H".
void FindClipped(const Form& form, const std::wstring& language, std::vector<std::wstring>& clipped) {
    HDC dc = GetDC(form.Handle());
    for (const ControlLayout& control : form.Layout().controls) {
        if (control.kind == ControlKind::TextBox || control.kind == ControlKind::ComboBox ||
            control.kind == ControlKind::DropDownList || control.kind == ControlKind::PictureBox) {
            continue;
        }
        HWND window = form.Control(control.id);
        const std::wstring text = support::WindowText(window);
        if (text.empty()) continue;
        // The push buttons are drawn by the program in the layout's font; the others in the one they hold.
        UniqueFont own = control.hasFont ? CreateLayoutFont(control.font, form.Dpi()) : UniqueFont();
        const auto font = own ? own.get() : reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
        const HGDIOBJ before = SelectObject(dc, font);
        RECT client{};
        GetClientRect(window, &client);
        const int width = client.right - Decoration(control.kind, form.Dpi());
        RECT needed{0, 0, control.wraps ? width : 0, 0};
        DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | (control.wraps ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc, before);
        const bool tooTall = control.kind != ControlKind::Frame && needed.bottom > client.bottom;
        if (needed.right > width || tooTall) {
            clipped.push_back(language + L" " + std::wstring(control.name) + L": needs " +
                              std::to_wstring(needed.right) + L" x " + std::to_wstring(needed.bottom) + L", has " +
                              std::to_wstring(width) + L" x " + std::to_wstring(client.bottom));
        }
    }
    ReleaseDC(form.Handle(), dc);
}

class InEveryLanguage : public ::testing::Test {
protected:
    void SetUp() override { support::BecomePerMonitorDpiAware(); }
    void TearDown() override { UseProgramLanguage(L"en-US"); }
};

TEST_F(InEveryLanguage, EveryWindowFitsItsTextsAndReadsAsTheLanguageDoes) {
    const SettingsStore store(L"Marrowick", L"TelluraneTest" + std::to_wstring(GetCurrentProcessId()));
    std::vector<std::wstring> clipped;
    int spoken = 0;
    // Thai and Hindi are measured in runs of their own, each drawn in a font of its script (see
    // tests/app/CMakeLists.txt): under Wine, elsewhere their letters are boxes of no one size.
    const wchar_t* only = _wgetenv(L"TELLURANE_TEST_LANGUAGES");
    const std::wstring_view ownRuns = only ? std::wstring_view(only) : std::wstring_view(L"th-TH hi-IN");
    for (const Language& language : Languages()) {
        if ((ownRuns.find(language.tag) != std::wstring_view::npos) != (only != nullptr)) continue;
        if (!ProgramSpeaks(language)) continue;
        ++spoken;
        const std::wstring tag(language.tag);
        UseProgramLanguage(tag);
        ASSERT_EQ(&ProgramLanguage(), &language) << tag;
        Form2 settings;
        ClockOptions options(store, true);
        AlarmList alarms(store);
        AlarmEditor alarm(Alarm{});
        for (Form* form : {static_cast<Form*>(&settings), static_cast<Form*>(&options), static_cast<Form*>(&alarms),
                           static_cast<Form*>(&alarm)}) {
            ASSERT_TRUE(form->Create()) << tag;
            FindClipped(*form, tag, clipped);
            const bool mirrored = (GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
            EXPECT_EQ(mirrored, language.rightToLeft) << tag;
        }
        EXPECT_EQ(support::WindowText(settings.Handle()), Tr(IDS_SETTINGS_TITLE)) << tag;
        if (tag != L"en-US") {
            EXPECT_NE(Tr(IDS_SETTINGS_TITLE), EnglishText(IDS_SETTINGS_TITLE)) << tag;
            continue;
        }
        // English: as drawn, to the twip.
        const SIZE client = support::ClientSize(settings.Handle());
        EXPECT_EQ(client.cx, TwipsToPixels(Form2Layout().clientWidth, settings.Dpi()));
        EXPECT_EQ(client.cy, TwipsToPixels(Form2Layout().clientHeight, settings.Dpi()));
        EXPECT_EQ(options.Layout().clientWidth, ClockOptionsLayout().clientWidth);
        EXPECT_EQ(options.Layout().clientHeight, ClockOptionsLayout().clientHeight);
    }
    EXPECT_TRUE(only || spoken == static_cast<int>(Languages().size()) - 2) << "the test program holds every language";
    std::wstring all;
    for (const std::wstring& line : clipped) all += line + L"\n";
    EXPECT_TRUE(clipped.empty()) << testing::PrintToString(all);
    RegDeleteTreeW(HKEY_CURRENT_USER, store.KeyPath().c_str());
}

// A box's title and reading order, as the program asks Windows for it. Wine 8 leaves a box's text on
// the left whatever the flags say: this checks what the program asks, as Windows documents the flags.
std::wstring g_boxTitle;
UINT g_boxFlags = 0;
int WINAPI RecordBox(HWND, LPCWSTR, LPCWSTR title, UINT flags) {
    g_boxTitle = title;
    g_boxFlags = flags;
    return IDOK;
}

// The thread's preferred UI languages as the program sets them, each name followed by ";". Windows
// draws a box's buttons ("OK", "Yes") in them, when it has that language; Wine 8 keeps nothing set so
// (its SetThreadPreferredUILanguages is a stub, and its boxes speak the process's LANG): this checks
// what the program asks Windows for, not what Wine draws.
std::wstring g_threadLanguages;
BOOL WINAPI RecordThreadLanguages(DWORD flags, PCZZWSTR names, PULONG count) {
    g_threadLanguages = flags == MUI_LANGUAGE_NAME ? L"" : L"not by name: ";
    ULONG listed = 0;
    for (const wchar_t* at = names; at && *at; at += lstrlenW(at) + 1, ++listed)
        g_threadLanguages += std::wstring(at) + L";";
    if (count) *count = listed;
    return TRUE;
}

TEST_F(InEveryLanguage, BoxesAndOwnCaptionsSpeakAndReadAsTheChosenLanguage) {
    const MessageBoxFunction before = SetMessageBoxFunction(&RecordBox);
    const ThreadUiLanguagesFunction windows = SetThreadUiLanguagesFunction(&RecordThreadLanguages);
    const struct {
        const wchar_t* stored;
        const wchar_t* thread;
    } rows[] = {{L"ar-SA", L"ar-SA;"},
                {L"he-IL", L"he-IL;"},
                {L"de-AT", L"de-DE;"},
                {L"zh-HK", L"zh-TW;"},
                {L"en-US", L"en-US;"}};
    for (const auto& row : rows) {
        const std::wstring tag = row.stored;
        g_threadLanguages = L"not set";
        UseProgramLanguage(tag);
        EXPECT_EQ(g_threadLanguages, row.thread) << tag;
        ShowApplicationError(L"x", L"", 1);
        EXPECT_EQ(g_boxTitle, Tr(IDS_ERROR_BOX_TITLE)) << tag;
        const bool rightToLeft = ProgramLanguage().rightToLeft;
        EXPECT_EQ((g_boxFlags & (MB_RTLREADING | MB_RIGHT)) != 0, rightToLeft) << tag;
        // What the program draws itself: its texts read as the language does; the face's time never.
        EXPECT_EQ(DrawTextReadingFlags(CaptionReading::Language), rightToLeft ? UINT{DT_RTLREADING} : 0u) << tag;
        EXPECT_EQ(DrawTextReadingFlags(CaptionReading::Face), 0u) << tag;
    }
    SetThreadUiLanguagesFunction(windows);
    SetMessageBoxFunction(before);
}

// The face's menu as it is open: its items' texts, the submenus' included, read by a timer that the
// menu's own loop runs, which then closes it.
std::vector<std::wstring> g_menuItems;

void ReadItems(HMENU menu) {
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        if (text[0]) g_menuItems.emplace_back(text);
        ReadItems(GetSubMenu(menu, i));
    }
}

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (HWND popup = FindWindowW(L"#32768", nullptr)) {
        ReadItems(reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)));
    }
    EndMenu();
}

class FaceMenuLanguage : public ClockWindowTest {
protected:
    void TearDown() override { UseProgramLanguage(L"en-US"); }
};

TEST_F(FaceMenuLanguage, SpeaksTheChosenLanguageAndNamesEveryLanguageInItself) {
    UseProgramLanguage(L"ja-JP");
    Form1& form = LoadClock();
    g_menuItems.clear();
    SetTimer(nullptr, 0, 200, &ReadOpenMenu);
    SendMessageW(form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.Handle()), -1);
    ASSERT_FALSE(g_menuItems.empty());
    EXPECT_EQ(g_menuItems.front(), Tr(IDS_MENU_SETTINGS));
    EXPECT_NE(g_menuItems.front(), EnglishText(IDS_MENU_SETTINGS));
    const auto has = [](std::wstring_view item) {
        return std::find(g_menuItems.begin(), g_menuItems.end(), item) != g_menuItems.end();
    };
    for (const auto id : {IDS_MENU_LANGUAGE, IDS_MENU_LANGUAGE_WINDOWS, IDS_MENU_LANGUAGE_NOTE, IDS_MENU_EXIT}) {
        EXPECT_TRUE(has(Tr(id))) << id;
    }
    for (const Language& language : Languages()) EXPECT_TRUE(has(language.name)) << "a language is missing";
}

// Which columns of the face hold ink, as the face draws itself (its edges left out).
std::vector<bool> InkColumns(const PushButton& face) {
    RECT client{};
    GetClientRect(face.Handle(), &client);
    const int width = client.right, height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits) return {};
    const HGDIOBJ before = SelectObject(dc.get(), bitmap.get());
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = face.Handle();
    item.hDC = dc.get();
    item.rcItem = client;
    face.Draw(item);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    const int edge = 4;
    const DWORD back = pixels[edge * width + edge];
    std::vector<bool> ink(static_cast<std::size_t>(width), false);
    for (int y = edge; y < height - edge; ++y) {
        for (int x = edge; x < width - edge; ++x) {
            const DWORD pixel = pixels[y * width + x];
            for (int shift : {0, 8, 16}) {
                if (std::abs(static_cast<int>((pixel >> shift) & 0xFF) - static_cast<int>((back >> shift) & 0xFF)) >
                    64) {
                    ink[static_cast<std::size_t>(x)] = true;
                }
            }
        }
    }
    SelectObject(dc.get(), before);
    return ink;
}

// How many of the part's inked columns differ from those of the line from this column on.
int Unlike(const std::vector<bool>& line, std::size_t from, const std::vector<bool>& part) {
    int unlike = 0;
    for (std::size_t i = 0; i < part.size(); ++i)
        unlike += (from + i < line.size() ? line[from + i] : false) != part[i];
    return unlike;
}

// The inked span alone, from its first inked column to its last.
std::vector<bool> Inked(const std::vector<bool>& columns) {
    const auto first = std::find(columns.begin(), columns.end(), true);
    const auto last = std::find(columns.rbegin(), columns.rend(), true).base();
    return first < last ? std::vector<bool>(first, last) : std::vector<bool>();
}

// A clock ringing in a language read right to left: the alarm's words read so, and its time, which comes
// first, stands at the right; once it ends the face shows its own time and date left to right again.
// Wine orders such a line (DrawText's DT_RTLREADING, ExtTextOut's ETO_RTLREADING) as Windows does, but
// Arabic, whose letters it must join first, only in a font that has them: the face's Arial (Liberation
// Sans here) has none, so the Arabic row is drawn in a skin's font that has. Wine also leaves a line
// with no Hebrew or Arabic letter in its order, which Windows does not ("Tea!" reads "!Tea"): the rows
// hold Hebrew and Arabic words.
TEST_F(FaceMenuLanguage, ARingingClockReadsItsAlarmAsTheLanguageReadsAndItsTimeLeftToRight) {
    const std::wstring time = L"07:30";
    const struct {
        const wchar_t* tag;
        std::wstring label;
        const wchar_t* skinFont;                                                       // nullptr: the plain look
    } rows[] = {{L"he-IL", L"\u05E4\u05D2\u05D9\u05E9\u05D4", nullptr},                // "meeting"
                {L"ar-SA", L"\u0627\u062C\u062A\u0645\u0627\u0639", L"DejaVu Sans"}};  // "meeting"
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.tag)));
        UseProgramLanguage(row.tag);
        Form1& form = LoadClock();
        PushButton& face = form.PushButton1();
        if (row.skinFont) {
            ASSERT_FALSE(FirstInstalledFont({row.skinFont}).empty()) << "a font with Arabic letters";
            FaceSkin skin;
            skin.font = row.skinFont;
            face.SetSkin(skin);
        }
        EXPECT_EQ(face.Reading(), CaptionReading::Face);
        const std::wstring ring = time + L" " + row.label;
        form.ShowAlarm(ring, true);
        EXPECT_EQ(face.Reading(), CaptionReading::Language);
        face.SetCaption(time);
        const std::vector<bool> digits = Inked(InkColumns(face));
        ASSERT_GT(digits.size(), 10u);
        const auto timeAt = [&](const std::wstring& caption) {
            face.SetCaption(caption);
            const std::vector<bool> line = Inked(InkColumns(face));
            EXPECT_GT(line.size(), digits.size() + 10) << "the words drawn too";
            const int left = Unlike(line, 0, digits), right = Unlike(line, line.size() - digits.size(), digits);
            const int close = static_cast<int>(digits.size()) / 10;
            return left <= close && right > close ? L"left" : right <= close && left > close ? L"right" : L"unclear";
        };
        EXPECT_STREQ(timeAt(ring), L"right") << "the ringing alarm's time, first in a line read right to left";
        face.SetCaption(ring);
        UpdateWindow(form.Handle());
        RECT frame{};
        GetWindowRect(form.Handle(), &frame);
        support::SaveSideBySide(L"ringing-in-" + std::wstring(row.tag), {support::TakeScreenPart(frame)}, 1);
        form.EndAlarm();
        EXPECT_EQ(face.Reading(), CaptionReading::Face);
        EXPECT_STREQ(timeAt(ring), L"left") << "the face's own reading, with a label in the language";
    }
}

}  // namespace
}  // namespace tellurane
