// The tray control against a recording shell: what it hands over, when, and what it raises.

#include "app/tray/sys_tray.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/tray/tray_hook.h"
#include "logic/app_error.h"

namespace tellurane {
namespace {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW data;
    bool hooked;  // was the hook in place when the shell was called
};

class SysTrayTest : public ::testing::Test {
protected:
    SysTrayTest()
        : tray_([this](DWORD message, NOTIFYICONDATAW* data) {
              const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(data->hWnd, GWLP_WNDPROC));
              calls_.push_back({message, *data, procedure == &mSysTray::TrayWindowProc});
              return TRUE;
          }) {
        tray_.PropertyChanged = [this](std::wstring_view name) { changed_ += std::wstring(name) + L";"; };
        icon_ = std::make_shared<const Picture>(kPictureTypeIcon,
                                                UniqueIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION))));
    }

    static std::wstring Text(const wchar_t* field, std::size_t width) { return {field, width}; }
    static std::wstring Padded(const std::wstring& text, std::size_t width) {
        return text + L'\0' + std::wstring(width - text.size() - 1, L' ');
    }

    std::vector<ShellCall> calls_;
    std::wstring changed_;
    PictureRef icon_;
    cSysTray tray_;
};

TEST_F(SysTrayTest, GoingIntoTheTrayHooksTheWindowThenAddsTheIconWithTipAndPicture) {
    tray_.SetTrayIcon(icon_);
    tray_.SetTrayTip(L"Tellurane");
    EXPECT_TRUE(calls_.empty());  // out of the tray, values are only kept
    tray_.SetInTray(true);
    ASSERT_EQ(calls_.size(), 1u);
    const ShellCall& add = calls_[0];
    EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(add.hooked);
    EXPECT_EQ(add.data.cbSize, 936u);
    EXPECT_EQ(add.data.hWnd, tray_.OwnerWindow());
    EXPECT_EQ(add.data.uID, 0u);
    EXPECT_EQ(add.data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(add.data.uCallbackMessage, 0x465u);
    EXPECT_EQ(add.data.hIcon, icon_->Handle());
    EXPECT_EQ(Text(add.data.szTip, 128), Padded(L"Tellurane", 128));
    EXPECT_EQ(add.data.dwState, 0u);
    EXPECT_EQ(add.data.dwInfoFlags, 0u);
    EXPECT_TRUE(tray_.InTray());
}

TEST_F(SysTrayTest, AnEmptyTipAndNoPictureSendOnlyTheCallback) {
    tray_.SetInTray(true);
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].data.uFlags, static_cast<UINT>(NIF_MESSAGE));
    EXPECT_EQ(calls_[0].data.uCallbackMessage, 0x465u);
}

TEST_F(SysTrayTest, SettingTheSameInTrayDoesNothingAndMarksNothing) {
    tray_.SetInTray(false);
    EXPECT_TRUE(calls_.empty());
    EXPECT_TRUE(changed_.empty());
    tray_.SetInTray(true);
    changed_.clear();
    tray_.SetInTray(true);
    EXPECT_EQ(calls_.size(), 1u);
    EXPECT_TRUE(changed_.empty());
}

TEST_F(SysTrayTest, LeavingTheTrayDeletesTheIconBeforeTheHookGoes) {
    tray_.SetInTray(true);
    const LONG_PTR hooked = GetWindowLongPtrW(tray_.OwnerWindow(), GWLP_WNDPROC);
    tray_.SetInTray(false);
    ASSERT_EQ(calls_.size(), 2u);
    EXPECT_EQ(calls_[1].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_TRUE(calls_[1].hooked);
    EXPECT_EQ(calls_[1].data.cbSize, 936u);
    EXPECT_EQ(calls_[1].data.uFlags, 0u);
    EXPECT_NE(GetWindowLongPtrW(tray_.OwnerWindow(), GWLP_WNDPROC), hooked);
}

TEST_F(SysTrayTest, InTheTrayTipAndPictureChangesAreSentAtOnce) {
    tray_.SetInTray(true);
    tray_.SetTrayTip(L"Tellurane");
    tray_.SetTrayIcon(icon_);
    ASSERT_EQ(calls_.size(), 3u);
    EXPECT_EQ(calls_[1].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(calls_[1].data.uFlags, static_cast<UINT>(NIF_TIP));
    EXPECT_EQ(Text(calls_[1].data.szTip, 128), Padded(L"Tellurane", 128));
    EXPECT_EQ(calls_[2].data.uFlags, static_cast<UINT>(NIF_ICON));
    EXPECT_EQ(calls_[2].data.hIcon, icon_->Handle());
    tray_.SetTrayTip(L"");
    EXPECT_EQ(Text(calls_[3].data.szTip, 128), Padded(L"", 128));
}

TEST_F(SysTrayTest, APictureThatIsNoIconIsIgnored) {
    tray_.SetTrayIcon(nullptr);
    tray_.SetTrayIcon(std::make_shared<const Picture>(1, UniqueIcon()));
    EXPECT_EQ(tray_.TrayIcon(), nullptr);
    EXPECT_TRUE(changed_.empty());
}

TEST_F(SysTrayTest, ALongTipIsCutToItsField) {
    tray_.SetInTray(true);
    tray_.SetTrayTip(std::wstring(127, L'x'));
    EXPECT_EQ(Text(calls_.back().data.szTip, 128), std::wstring(127, L'x') + L'\0');
    tray_.SetTrayTip(std::wstring(400, L'y'));
    EXPECT_EQ(Text(calls_.back().data.szTip, 128), std::wstring(127, L'y') + L'\0');
    EXPECT_EQ(tray_.TrayTip(), std::wstring(400, L'y'));
}

WNDPROC g_ownProcedure = nullptr;
std::vector<LPARAM> g_handedOn;

// The window's procedure before the hook: it sees the callback message too, and answers it.
LRESULT CALLBACK ProcedureBeforeTheHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == 0x465) {
        g_handedOn.push_back(lParam);
        return 0x1234;
    }
    return CallWindowProcW(g_ownProcedure, window, message, wParam, lParam);
}

TEST_F(SysTrayTest, TheCallbackMessageRaisesTheMouseEventsAndIsHandedOnWithItsAnswer) {
    HWND window = tray_.OwnerWindow();
    g_ownProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ProcedureBeforeTheHook)));
    g_handedOn.clear();
    tray_.SetInTray(true);
    std::vector<std::wstring> events;
    tray_.MouseMove = [&](std::int32_t id) { events.push_back(L"move " + std::to_wstring(id)); };
    tray_.MouseDown = [&](std::int16_t b, std::int32_t id) {
        events.push_back(L"down " + std::to_wstring(b) + L" " + std::to_wstring(id));
    };
    tray_.MouseUp = [&](std::int16_t b, std::int32_t id) {
        events.push_back(L"up " + std::to_wstring(b) + L" " + std::to_wstring(id));
    };
    tray_.MouseDblClick = [&](std::int16_t b, std::int32_t id) {
        events.push_back(L"double " + std::to_wstring(b) + L" " + std::to_wstring(id));
    };
    const std::vector<LPARAM> codes = {0x200, 0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x207, 0x208, 0x402};
    for (LPARAM code : codes) {
        EXPECT_EQ(SendMessageW(window, 0x465, 0, code), 0x1234);  // the previous procedure's answer
    }
    EXPECT_EQ(events, (std::vector<std::wstring>{L"move 0", L"down 1 0", L"up 1 0", L"double 1 0", L"down 2 0",
                                                 L"up 2 0", L"double 2 0"}));
    EXPECT_EQ(g_handedOn, codes);
    SetWindowTextW(window, L"abc");  // and every other message
    EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 3);

    // Out of the tray, the previous procedure is back and the user-data slot still holds the control.
    tray_.SetInTray(false);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ProcedureBeforeTheHook));
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&tray_));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_ownProcedure));
}

TEST_F(SysTrayTest, TheControlsOwnWindowIsFiveHundredAndTenTwipsSquare) {
    RECT rect;
    GetWindowRect(tray_.OwnerWindow(), &rect);
    const int side = MulDiv(510, static_cast<int>(GetDpiForSystem()), 1440);
    EXPECT_EQ(rect.right - rect.left, side);
    EXPECT_EQ(rect.bottom - rect.top, side);
}

TEST_F(SysTrayTest, AfterLeavingTheTrayTheWindowBehavesAsBefore) {
    const LONG_PTR before = GetWindowLongPtrW(tray_.OwnerWindow(), GWLP_WNDPROC);
    tray_.SetInTray(true);
    tray_.SetInTray(false);
    EXPECT_EQ(GetWindowLongPtrW(tray_.OwnerWindow(), GWLP_WNDPROC), before);
    int ups = 0;
    tray_.MouseUp = [&](std::int16_t, std::int32_t) { ++ups; };
    SendMessageW(tray_.OwnerWindow(), 0x465, 0, 0x202);
    EXPECT_EQ(ups, 0);
}

TEST_F(SysTrayTest, ABalloonIsSentWithItsTextsAndTimeOutAndShownOnlyOnceWhenAsked) {
    tray_.SetInTray(true);
    tray_.ShowBalloon(L"Line one\r\nLine two", L"Tellurane", 0, true);
    ASSERT_EQ(calls_.size(), 2u);
    const NOTIFYICONDATAW& balloon = calls_[1].data;
    EXPECT_EQ(calls_[1].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(balloon.uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_EQ(Text(balloon.szInfoTitle, 64), Padded(L"Tellurane", 64));
    EXPECT_EQ(Text(balloon.szInfo, 256), Padded(L"Line one\r\nLine two", 256));
    EXPECT_EQ(balloon.uTimeout, 0u);
    EXPECT_EQ(balloon.dwInfoFlags, 0u);
    EXPECT_TRUE(tray_.BalloonShowing());
    tray_.ShowBalloon(L"again", L"Tellurane", 0, true);
    EXPECT_EQ(calls_.size(), 2u);
    tray_.ShowBalloon(L"always", L"Tellurane", 0, false);
    tray_.ShowBalloon(L"always", L"Tellurane", 0, false);
    EXPECT_EQ(calls_.size(), 4u);
}

TEST_F(SysTrayTest, TheShellsBalloonGoneEndsTheWaitEarlyAndNothingIsCleared) {
    tray_.SetInTray(true);
    PostMessageW(tray_.OwnerWindow(), 0x465, 0, 0x404);  // NIN_BALLOONTIMEOUT, handled inside the wait
    tray_.ShowBalloon(L"tip", L"Tellurane", 30, true);
    ASSERT_EQ(calls_.size(), 2u);
    EXPECT_EQ(calls_[1].data.uTimeout, 30000u);
    EXPECT_FALSE(tray_.BalloonShowing());
}

TEST_F(SysTrayTest, ABalloonThatOutlivesItsTimeIsTakenAway) {
    // Not in the tray: no notification can come, so the whole time is waited, and the balloon counts.
    const auto started = GetTickCount64();
    tray_.ShowBalloon(L"tip", L"Title", 1, true);
    EXPECT_GE(GetTickCount64() - started, 990u);
    tray_.ShowBalloon(L"tip", L"Title", 1, true);
    ASSERT_EQ(calls_.size(), 2u);
    const NOTIFYICONDATAW& clear = calls_[1].data;
    EXPECT_EQ(clear.uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_EQ(Text(clear.szInfo, 256), Padded(L"", 256));
    EXPECT_EQ(Text(clear.szInfoTitle, 64), Padded(L"", 64));
    EXPECT_EQ(clear.uTimeout, 1000u);
    EXPECT_TRUE(tray_.BalloonShowing());
}

TEST_F(SysTrayTest, AShowTimerTooLargeIsAnOverflowBeforeAnythingHappens) {
    tray_.SetInTray(true);
    EXPECT_THROW(tray_.ShowBalloon(L"tip", L"Title", 2147484, true), AppError);
    EXPECT_EQ(calls_.size(), 1u);
    EXPECT_FALSE(tray_.BalloonShowing());
    tray_.ShowBalloon(L"tip", L"Title", -5, true);  // the failed call was not counted; a negative time is none
    ASSERT_EQ(calls_.size(), 2u);
    EXPECT_EQ(calls_[1].data.uTimeout, 0u);
    EXPECT_TRUE(tray_.BalloonShowing());  // left to the shell: no wait, nothing taken away
}

TEST_F(SysTrayTest, WhenExplorerStartsAgainTheIconIsAddedAgain) {
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    SendMessageW(tray_.OwnerWindow(), taskbarCreated, 0, 0);
    EXPECT_TRUE(calls_.empty());
    tray_.SetTrayIcon(icon_);
    tray_.SetTrayTip(L"Tellurane");
    tray_.SetInTray(true);
    SendMessageW(tray_.OwnerWindow(), taskbarCreated, 0, 0);
    ASSERT_EQ(calls_.size(), 2u);
    EXPECT_EQ(calls_[1].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(calls_[1].data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(Text(calls_[1].data.szTip, 128), Padded(L"Tellurane", 128));
}

TEST(SysTray, AnIconTheShellRefusesIsRetriedUntilItIsThereAndOnlyThenCountsAsShown) {
    // At logon the notification area may not answer yet; "TaskbarCreated" then never comes.
    int refusals = 4;
    std::vector<DWORD> messages;
    std::vector<bool> reported;
    cSysTray tray([&](DWORD message, NOTIFYICONDATAW*) {
        messages.push_back(message);
        if (message == NIM_DELETE) return TRUE;
        return refusals > 0 ? (--refusals, FALSE) : TRUE;
    });
    tray.IconShownChanged = [&](bool shown) { reported.push_back(shown); };
    const auto retry = [&] { SendMessageW(tray.OwnerWindow(), WM_TIMER, 1, 0); };

    tray.SetInTray(true);
    EXPECT_TRUE(tray.InTray());
    EXPECT_FALSE(tray.IconShown());
    EXPECT_EQ(messages, (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));  // not there, and not still there either
    retry();
    EXPECT_FALSE(tray.IconShown());
    EXPECT_TRUE(reported.empty());
    messages.clear();
    retry();
    EXPECT_TRUE(tray.IconShown());
    EXPECT_EQ(messages, (std::vector<DWORD>{NIM_ADD}));
    EXPECT_EQ(reported, (std::vector<bool>{true}));
    retry();  // the retries have stopped: a stray tick adds nothing
    EXPECT_EQ(messages.size(), 1u);

    // A modify the shell refuses means the icon is gone: it is put back, and the host hears of both.
    refusals = 3;  // the modify, then the add and the modify that would find it
    tray.SetTrayTip(L"Tellurane");
    EXPECT_FALSE(tray.IconShown());
    refusals = 0;
    SendMessageW(tray.OwnerWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(tray.IconShown());
    EXPECT_EQ(reported, (std::vector<bool>{true, false, true}));
    tray.SetInTray(false);
    EXPECT_FALSE(tray.IconShown());
}

TEST_F(SysTrayTest, StoredPropertiesLoadWithTheirDefaultsAndSaveInOrder) {
    PropertyBag empty;
    tray_.ReadProperties(empty);
    EXPECT_FALSE(tray_.InTray());
    EXPECT_EQ(tray_.TrayTip(), L"Telnet Server");

    PropertyBag stored;
    stored.Write(L"intray", true);
    stored.Write(L"TRAYTIP", std::wstring(L"Tellurane"));
    stored.Write(L"TrayIcon", icon_);
    calls_.clear();
    tray_.ReadProperties(stored);
    EXPECT_TRUE(tray_.InTray());
    EXPECT_EQ(tray_.TrayTip(), L"Tellurane");
    EXPECT_EQ(tray_.TrayIcon(), icon_);
    ASSERT_EQ(calls_.size(), 3u);  // added with what it held, then picture and tip updated
    EXPECT_EQ(calls_[0].message, static_cast<DWORD>(NIM_ADD));

    PropertyBag saved;
    tray_.WriteProperties(saved);
    EXPECT_EQ(saved.WriteOrder(), L"InTray;TrayIcon;TrayTip;");
    EXPECT_TRUE(saved.Read<bool>(L"InTray", false));
}

TEST_F(SysTrayTest, OutsideRunModeTheIconNeverGoesIntoTheTray) {
    cSysTray designed(
        [this](DWORD message, NOTIFYICONDATAW* data) {
            calls_.push_back({message, *data, false});
            return TRUE;
        },
        false);
    designed.SetInTray(true);
    EXPECT_TRUE(designed.InTray());
    designed.SetInTray(false);
    EXPECT_TRUE(calls_.empty());
}

TEST(SysTray, DestroyingTheControlTakesItsIconOut) {
    std::vector<DWORD> messages;
    {
        cSysTray tray([&](DWORD message, NOTIFYICONDATAW*) {
            messages.push_back(message);
            return TRUE;
        });
        tray.SetInTray(true);
    }
    EXPECT_EQ(messages, (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
}

TEST(SysTray, APictureFromItsLoaderGoesToTheShellOnReloadAndOnANewTaskbarAndFailuresKeepTheOldOne) {
    using Sent = std::vector<std::pair<DWORD, HICON>>;  // message, and the picture when it carries one
    Sent sent;
    bool refuseModify = false;
    cSysTray tray([&](DWORD message, NOTIFYICONDATAW* data) {
        sent.push_back({message, (data->uFlags & NIF_ICON) ? data->hIcon : nullptr});
        return refuseModify && message == NIM_MODIFY ? FALSE : TRUE;
    });
    std::vector<PictureRef> loaded;  // all kept, so that no handle is reused
    tray.LoadTrayIcon = [&] {
        loaded.push_back(std::make_shared<const Picture>(kPictureTypeIcon,
                                                         UniqueIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)))));
        return loaded.back();
    };
    const auto picture = [&](std::size_t n) { return n < loaded.size() ? loaded[n]->Handle() : nullptr; };
    const auto newTaskbar = [&] { SendMessageW(tray.OwnerWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0); };

    newTaskbar();  // out of the tray: loaded and kept, nothing sent
    EXPECT_TRUE(sent.empty());
    tray.SetInTray(true);
    tray.ReloadTrayIcon();
    EXPECT_EQ(sent, (Sent{{NIM_ADD, picture(0)}, {NIM_MODIFY, picture(1)}}));

    sent.clear();
    newTaskbar();  // loaded again for the new taskbar, and added with it: no modify ahead of the add
    EXPECT_EQ(sent, (Sent{{NIM_ADD, picture(2)}}));

    sent.clear();
    refuseModify = true;  // the shell lost the icon: it goes back with the new picture, not the one before
    tray.ReloadTrayIcon();
    EXPECT_EQ(sent, (Sent{{NIM_MODIFY, picture(3)}, {NIM_ADD, picture(3)}}));

    sent.clear();
    tray.LoadTrayIcon = [] { return PictureRef(); };
    tray.ReloadTrayIcon();
    tray.LoadTrayIcon = []() -> PictureRef { throw AppError(L"no icon"); };
    tray.ReloadTrayIcon();
    newTaskbar();
    EXPECT_EQ(sent, (Sent{{NIM_ADD, picture(3)}}));
    EXPECT_EQ(tray.TrayIcon(), loaded.back());
}

}  // namespace
}  // namespace tellurane
