// The routines the windows share: the error boxes, the program's folder, a skin put on a window, and the
// controls' colours.

#include "app/main_module.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "app/clock/form1.h"
#include "logic/error_report.h"
#include "logic/layouts.h"
#include "logic/paths.h"
#include "logic/product.h"
#include "tests/support/failing_allocations.h"
#include "win32/boundary.h"
#include "win32/form.h"
#include "win32/menu.h"
#include "win32/message_loop.h"
#include "win32/skin.h"

namespace tellurane {
namespace {

struct CapturedBox {
    int calls = 0;
    std::wstring text, title;
    UINT type = 0;
    HWND owner = nullptr;
};
CapturedBox g_box;

int WINAPI RecordingBox(HWND owner, LPCWSTR text, LPCWSTR title, UINT type) {
    ++g_box.calls;
    g_box.owner = owner;
    g_box.text = text;
    g_box.title = title;
    g_box.type = type;
    return IDOK;
}

class ErrorBoxTest : public ::testing::Test {
protected:
    ErrorBoxTest() : previous_(SetMessageBoxFunction(&RecordingBox)) { g_box = {}; }
    ~ErrorBoxTest() override { SetMessageBoxFunction(previous_); }
    MessageBoxFunction previous_;
};

TEST_F(ErrorBoxTest, ShowsTheComposedTextWithTitleIconAndOkButton) {
    ShowApplicationError(L"The text \"abc\" is not a number.", location::kForm1Load, 110);
    ASSERT_EQ(g_box.calls, 1);
    EXPECT_EQ(g_box.title, L"Application Error");
    EXPECT_EQ(g_box.type, 48u);  // MB_OK | MB_ICONEXCLAMATION
    EXPECT_EQ(g_box.text,
              L"The text \"abc\" is not a number.\r\nin Vantorel2021/08/31.Form1.Form_Load at line 110\r\r"
              L"Please email screenshot of this message to " +
                  std::wstring(kSupportAddress));
}

TEST(FileExists, AnswersForFilesAndNeverComplains) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_TRUE(FileExists(self));
    EXPECT_FALSE(FileExists(std::wstring(self) + L".missing"));
    EXPECT_FALSE(FileExists(L""));
    EXPECT_FALSE(FileExists(L"Q:\\no drive here\\HAND-M.CUR"));
    EXPECT_FALSE(FileExists(std::wstring(L"C:\\a\0b", 6)));
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
    const std::wstring folder = ProgramFolder();
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_TRUE(FileExists(folder + L"\\tellurane_app_tests.exe"));
    EXPECT_EQ(folder.substr(folder.size() - 10), L"\\tests\\app");
}

TEST_F(ErrorBoxTest, APlainBoxCarriesTheApplicationTitle) {
    SetApplicationTitle();
    EXPECT_EQ(ApplicationTitle(), L"Tellurane");
    ShowPlainError(L"Something could not be done.");
    ASSERT_EQ(g_box.calls, 1);
    EXPECT_EQ(g_box.title, ApplicationTitle());
    EXPECT_EQ(g_box.text, L"Something could not be done.");
}

// What is meant for the user reaches the box; nothing else does, and nothing escapes, not even from the box.
TEST_F(ErrorBoxTest, SayOrLogShowsAnAppErrorAndOnlyLogsAnyOtherFailure) {
    const struct {
        const char* name;
        std::function<void()> work;
        bool boxFails;
        bool completed;
        const wchar_t* shown;  // "" for no box
    } cases[] = {
        {"completes", [] {}, false, true, L""},
        {"app error", [] { throw AppError(L"Too big."); }, false, false, L"Too big."},
        {"other failure", [] { throw std::runtime_error("lost"); }, false, false, L""},
        {"failing box", [] { throw AppError(L"Too big."); }, true, false, L""},
    };
    for (const auto& test : cases) {
        g_box = {};
        const bool completed = SayOrLog("SayOrLogTest", test.work, [&](const std::wstring& description) {
            if (test.boxFails) throw std::bad_alloc();
            ShowPlainError(description);
        });
        EXPECT_EQ(completed, test.completed) << test.name;
        EXPECT_EQ(g_box.calls, *test.shown ? 1 : 0) << test.name;
        EXPECT_EQ(g_box.text, test.shown) << test.name;
    }
}

// A submenu is its parent's once added, and destroyed at once when it cannot be.
TEST(AppendSubmenu, HandsTheSubmenuToItsParentOnlyWhenAdded) {
    UniqueMenu parent(CreatePopupMenu());
    UniqueMenu added(CreatePopupMenu());
    const HMENU sub = added.get();
    ASSERT_TRUE(AppendSubmenu(parent.get(), std::move(added), L"&Sub"));
    EXPECT_EQ(GetSubMenu(parent.get(), 0), sub);
    EXPECT_TRUE(IsMenu(sub));
    parent.reset();
    EXPECT_FALSE(IsMenu(sub));

    UniqueMenu refused(CreatePopupMenu());
    const HMENU orphan = refused.get();
    EXPECT_FALSE(AppendSubmenu(nullptr, std::move(refused), L"&Sub"));
    EXPECT_FALSE(IsMenu(orphan));
}

class RecordingSkin : public SkinFramework {
public:
    void LoadSkin(std::wstring_view file, std::wstring_view section) override {
        calls += L"load(" + std::wstring(file) + L"," + std::wstring(section) + L");";
    }
    void SetApplyOptions(std::int32_t options) override {
        calls += L"options(" + std::to_wstring(options) + L");";
        SkinFramework::SetApplyOptions(options);
    }
    void SetAutoApplyNewWindows(bool on) override { calls += on ? L"windows;" : L"nowindows;"; }
    void SetAutoApplyNewThreads(bool on) override { calls += on ? L"threads;" : L"nothreads;"; }
    void ApplyWindow(HWND window) override { calls += window ? L"apply;" : L"apply(null);"; }
    std::wstring calls;
};

TEST(ApplySkin, WithoutASkinFileNothingChangesAndTheSkinIsNotCalled) {
    Form form(Form1Layout());
    ASSERT_TRUE(form.Create());
    RecordingSkin skin;
    ApplySkin(form, skin);
    EXPECT_EQ(form.BackColor(), kWhite);
    EXPECT_TRUE(skin.calls.empty());
}

TEST(ApplySkin, WithASkinFileTheWindowTakesTheFaceColourAndTheSkinIsApplied) {
    const std::wstring folder = InFolder(ProgramFolder(), L"x");
    const std::wstring file = InFolder(ProgramFolder(), kSkinFile);
    CreateDirectoryW(folder.c_str(), nullptr);
    { std::ofstream(file.c_str()) << "skin"; }
    Form form(Form2Layout());
    ASSERT_TRUE(form.Create());
    RecordingSkin skin;
    ApplySkin(form, skin);
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
    EXPECT_EQ(form.BackColor(), kButtonFaceColor);
    EXPECT_EQ(form.ControlBackColor(form2::kCheck1), kButtonFaceColor);
    EXPECT_EQ(form.ControlBackColor(form2::kPushButton3), kWhite);
    EXPECT_EQ(skin.calls, L"load(" + file + L",);options(1);windows;threads;apply;");
}

TEST(ResetControlColors, ColoursTheWindowItsFramesAndCheckBoxesOnly) {
    Form form(Form2Layout());
    ASSERT_TRUE(form.Create());
    ResetControlColors(form);
    EXPECT_EQ(form.BackColor(), kButtonFaceColor);
    for (int id : {form2::kFrame1, form2::kFrame2, form2::kFrame3, form2::kFrame4, form2::kCheck1, form2::kCheck2,
                   form2::kCheck3, form2::kCheck4, form2::kCheck6}) {
        EXPECT_EQ(form.ControlBackColor(id), kButtonFaceColor) << id;
    }
    EXPECT_EQ(form.ControlBackColor(form2::kText1), kWhite);
    EXPECT_EQ(form.ControlBackColor(form2::kPushButton1), kWhite);

    // A failure is the caller's to report (the settings' load traps it as its step), never swallowed.
    form.SetBackColor(kWhite);
    {
        support::FailingAllocations outOfMemory;
        EXPECT_THROW(ResetControlColors(form), std::bad_alloc);
    }
    EXPECT_EQ(form.BackColor(), kButtonFaceColor);
}

}  // namespace
}  // namespace tellurane
