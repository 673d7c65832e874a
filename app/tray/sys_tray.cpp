#include "app/tray/sys_tray.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "app/tray/tray_hook.h"
#include "logic/twips.h"
#include "win32/boundary.h"
#include "win32/dpi.h"
#include "win32/message_loop.h"

namespace tellurane {
namespace {

static_assert(offsetof(NOTIFYICONDATAW, guidItem) == kTrayStructureSize,
              "the tray structure is sent in its 936-byte form, which ends before guidItem");

constexpr wchar_t kOwnWindowClass[] = L"Tellurane.cSysTray";
constexpr int kOwnWindowTwips = 510;

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

// At logon the Run entry can start us before Explorer's notification area answers, and
// "TaskbarCreated" does not come again when Explorer was already running: keep asking.
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryIntervalMs = 3000;
constexpr int kRetryAttempts = 100;  // five minutes

}  // namespace

cSysTray::cSysTray(ShellNotifyFunction shell, bool runMode) : shell_(std::move(shell)), runMode_(runMode) {
    ownWindow_.emplace(*this);
    if (!ownWindow_->Create()) ownWindow_.reset();
}

cSysTray::~cSysTray() {
    if (inTray_) SetInTray(false);
    // The window goes here, ahead of the control's other members: nothing it hears while going may
    // reach a control that is half gone.
    ownWindow_.reset();
}

bool cSysTray::OwnWindow::Create() noexcept {
    if (!RegisterWindowClass(kOwnWindowClass, nullptr, 0)) return false;
    // A hidden top-level window, not a child: Explorer's "TaskbarCreated" reaches top-level windows only.
    // It has the control's own size, 510 twips square.
    const int side = TwipsToPixels(kOwnWindowTwips, SystemDpi());
    if (!CreateNativeWindow(kOwnWindowClass, L"", WS_POPUP, WS_EX_TOOLWINDOW, RECT{0, 0, side, side}, nullptr)) {
        return false;
    }
    // An elevated copy would otherwise never hear that Explorer (not elevated) started again.
    ChangeWindowMessageFilterEx(Handle(), TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    return true;
}

LRESULT cSysTray::OwnWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == TaskbarCreatedMessage() && message != 0) {
        CarryOn("cSysTray::OnTaskbarCreated", [this] { control_.OnTaskbarCreated(); });
        return 0;
    }
    if (message == WM_TIMER && wParam == kRetryTimer) {
        CarryOn("cSysTray::RetryAdding", [this] { control_.RetryAdding(); });
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

// Explorer started again and has forgotten every icon: put ours back. This comes after a DPI change
// too, so the picture is first loaded again at the size the shell now wants; it goes in with the add,
// as a modify ahead of that would fail on a new Explorer.
void cSysTray::OnTaskbarCreated() {
    KeepTrayIcon(FreshTrayIcon());
    // With a fresh round of retries if this shell is slow too.
    if (iconAdded_) PutIconInTray();
}

void cSysTray::InitProperties() {
    SetInTray(false);
    SetTrayTip(kDefaultTrayTip);
    SetTrayIcon(facePicture_);
}

void cSysTray::ReadProperties(const PropertyBag& bag) {
    SetInTray(bag.Read<bool>(L"InTray", false));
    SetTrayIcon(bag.Read<PictureRef>(L"TrayIcon", facePicture_));
    SetTrayTip(bag.Read<std::wstring>(L"TrayTip", std::wstring(kDefaultTrayTip)));
}

void cSysTray::WriteProperties(PropertyBag& bag) const {
    bag.Write(L"InTray", inTray_);
    bag.Write(L"TrayIcon", icon_);
    bag.Write(L"TrayTip", tip_);
}

void cSysTray::SetTrayIcon(PictureRef icon) {
    if (!KeepTrayIcon(std::move(icon))) return;
    if (iconShown_) {
        NOTIFYICONDATAW data = FreshData();
        data.uFlags = NIF_ICON;
        data.hIcon = icon_->Handle();
        if (!Send(NIM_MODIFY, data)) PutIconInTray();  // the shell lost it: add it again, new picture and all
    }
}

void cSysTray::ReloadTrayIcon() { SetTrayIcon(FreshTrayIcon()); }

bool cSysTray::KeepTrayIcon(PictureRef icon) {
    if (!icon || icon->Type() != kPictureTypeIcon) return false;
    icon_ = icon;
    facePicture_ = std::move(icon);
    Changed(L"TrayIcon");
    return true;
}

PictureRef cSysTray::FreshTrayIcon() const {
    if (!LoadTrayIcon) return nullptr;
    return CarryOnOr("cSysTray::LoadTrayIcon", PictureRef(), [this] { return LoadTrayIcon(); });
}

void cSysTray::SetTrayTip(std::wstring_view tip) {
    tip_ = tip;
    if (iconShown_) {
        NOTIFYICONDATAW data = FreshData();
        data.uFlags = NIF_TIP;
        FillTextField(tip, data.szTip, kTipWidth);
        if (!Send(NIM_MODIFY, data)) PutIconInTray();
    }
    Changed(L"TrayTip");
}

void cSysTray::SetInTray(bool show) {
    if (show == inTray_) return;
    if (show) {
        if (runMode_) {
            // The hook goes in first: the shell may call back as soon as the icon is there.
            mSysTray::Install(OwnerWindow(), this);
            iconAdded_ = true;
            PutIconInTray();
        }
    } else if (iconAdded_) {
        KillTimer(OwnerWindow(), kRetryTimer);
        retriesLeft_ = 0;
        DeleteTrayIcon(OwnerWindow(), iconId_);
        mSysTray::Remove(OwnerWindow());
        iconAdded_ = false;
        SetIconShown(false);
    }
    inTray_ = show;
    Changed(L"InTray");
}

void cSysTray::ShowBalloon(std::wstring_view tip, std::wstring_view title, std::int32_t showTimer, bool showOnce) {
    if (showOnce && balloonCount_ >= 1) return;
    const std::uint32_t timeout = BalloonTimeoutMilliseconds(showTimer);  // fails before anything is sent

    NOTIFYICONDATAW data = FreshData();
    data.uFlags = NIF_INFO;
    FillTextField(title, data.szInfoTitle, kInfoTitleWidth);
    FillTextField(tip, data.szInfo, kInfoWidth);
    data.uTimeout = timeout;
    Send(NIM_MODIFY, data);
    balloonShowing_ = true;
    if (showOnce) ++balloonCount_;

    if (showTimer <= 0) return;  // a balloon without a time stays until the shell takes it
    // Messages are handled as they come, so the shell's "balloon gone" can end the wait early.
    WaitSeconds(showTimer, [this] { return balloonShowing_; });
    if (balloonShowing_) {
        NOTIFYICONDATAW clear = FreshData();
        clear.uFlags = NIF_INFO;
        FillTextField(L"", clear.szInfoTitle, kInfoTitleWidth);
        FillTextField(L"", clear.szInfo, kInfoWidth);
        clear.uTimeout = timeout;
        Send(NIM_MODIFY, clear);
    }
}

void cSysTray::HandleTrayMessage(std::uintptr_t code, std::uintptr_t id) {
    const TrayNotification notification = MapTrayMessage(static_cast<std::uint32_t>(code));
    const auto iconId = static_cast<std::int32_t>(id);
    const std::int16_t button = notification.button;
    switch (notification.event) {
        case TrayEvent::MouseMove:
            Raise(MouseMove, iconId);
            break;
        case TrayEvent::MouseDown:
            Raise(MouseDown, button, iconId);
            break;
        case TrayEvent::MouseUp:
            Raise(MouseUp, button, iconId);
            break;
        case TrayEvent::MouseDoubleClick:
            Raise(MouseDblClick, button, iconId);
            break;
        case TrayEvent::BalloonGone:
            balloonShowing_ = false;
            break;
        case TrayEvent::BalloonClicked:
            balloonShowing_ = false;
            Raise(BalloonClick, iconId);
            break;
        case TrayEvent::None:
            break;
    }
}

NOTIFYICONDATAW cSysTray::FreshData() const {
    NOTIFYICONDATAW data{};
    data.cbSize = kTrayStructureSize;
    data.hWnd = OwnerWindow();
    data.uID = static_cast<UINT>(iconId_);
    return data;
}

bool cSysTray::AddTrayIcon(HWND window, std::int32_t id, const std::wstring& tip, const PictureRef& icon) {
    NOTIFYICONDATAW data{};
    data.cbSize = kTrayStructureSize;
    data.hWnd = window;
    data.uID = static_cast<UINT>(id);
    if (icon) {
        data.hIcon = icon->Handle();
        data.uFlags |= NIF_ICON;
        icon_ = icon;
    }
    if (!tip.empty()) {
        FillTextField(tip, data.szTip, kTipWidth);
        data.uFlags |= NIF_TIP;
        tip_ = tip;
    }
    data.uFlags |= NIF_MESSAGE;
    data.uCallbackMessage = kTrayCallbackMessage;
    if (Send(NIM_ADD, data)) return true;
    // The add also fails when the icon is still there ("TaskbarCreated" comes on DPI changes too):
    // a modify that succeeds says so.
    return Send(NIM_MODIFY, data);
}

void cSysTray::PutIconInTray() {
    if (!iconAdded_ || TryAdding()) return;
    retriesLeft_ = kRetryAttempts;
    SetTimer(OwnerWindow(), kRetryTimer, kRetryIntervalMs, nullptr);
}

bool cSysTray::TryAdding() {
    const std::wstring tip = tip_;
    const PictureRef icon = icon_;
    const bool shown = AddTrayIcon(OwnerWindow(), iconId_, tip, icon);
    if (shown) {
        KillTimer(OwnerWindow(), kRetryTimer);
        retriesLeft_ = 0;
    }
    SetIconShown(shown);
    return shown;
}

void cSysTray::RetryAdding() {
    if (!iconAdded_ || iconShown_ || TryAdding()) return;
    if (--retriesLeft_ <= 0) KillTimer(OwnerWindow(), kRetryTimer);
}

void cSysTray::SetIconShown(bool shown) {
    if (shown == iconShown_) return;
    iconShown_ = shown;
    Raise(IconShownChanged, shown);
}

void cSysTray::DeleteTrayIcon(HWND window, std::int32_t id) {
    NOTIFYICONDATAW data{};
    data.cbSize = kTrayStructureSize;
    data.hWnd = window;
    data.uID = static_cast<UINT>(id);
    Send(NIM_DELETE, data);
}

bool cSysTray::Send(DWORD message, NOTIFYICONDATAW& data) const { return shell_ && shell_(message, &data) != FALSE; }

void cSysTray::Changed(std::wstring_view name) const {
    if (PropertyChanged) PropertyChanged(name);
}

}  // namespace tellurane
