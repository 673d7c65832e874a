#pragma once
// The tray control: owns one icon in the notification area, its tip and its balloons, and turns
// the shell's messages about the icon into mouse events for its host.

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "app/tray/picture.h"
#include "app/tray/property_bag.h"
#include "logic/tray/tray_protocol.h"
#include "win32/boundary.h"
#include "win32/handles.h"
#include "win32/window.h"

namespace tellurane {

// Shell_NotifyIconW, or what a test puts in its place.
using ShellNotifyFunction = std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)>;

class cSysTray {
public:
    // runMode false is the host being designed: the icon is then never put in the tray.
    explicit cSysTray(ShellNotifyFunction shell = &Shell_NotifyIconW, bool runMode = true);
    ~cSysTray();
    cSysTray(const cSysTray&) = delete;
    cSysTray& operator=(const cSysTray&) = delete;

    PictureRef TrayIcon() const { return icon_; }
    void SetTrayIcon(PictureRef icon);
    // Where a picture at the size the shell draws tray icons at comes from. That size follows the
    // DPI, so the control asks again when Explorer announces a new taskbar (it does after a DPI
    // change too), and whenever the host calls ReloadTrayIcon; the answer becomes TrayIcon.
    std::function<PictureRef()> LoadTrayIcon;
    void ReloadTrayIcon();
    const std::wstring& TrayTip() const noexcept { return tip_; }
    void SetTrayTip(std::wstring_view tip);
    bool InTray() const noexcept { return inTray_; }
    void SetInTray(bool show);
    // True only while the shell has confirmed that the icon is in the notification area. At logon the
    // shell may not be ready yet: the control then keeps trying, and tells IconShownChanged.
    bool IconShown() const noexcept { return iconShown_; }

    // Shows a balloon by the icon and waits, handling messages, until it is gone or showTimer seconds
    // have passed. With showOnce, only the first such balloon of the control's life shows.
    void ShowBalloon(std::wstring_view tip, std::wstring_view title, std::int32_t showTimer, bool showOnce);

    std::function<void(std::int32_t id)> MouseMove;
    std::function<void(std::int16_t button, std::int32_t id)> MouseDown;
    std::function<void(std::int16_t button, std::int32_t id)> MouseUp;
    std::function<void(std::int16_t button, std::int32_t id)> MouseDblClick;
    // The user clicked the balloon: it is gone, and the program was asked for.
    std::function<void(std::int32_t id)> BalloonClick;
    // Told when the icon comes into the notification area or is lost from it.
    std::function<void(bool shown)> IconShownChanged;
    // Told the name of each property that the host should save again.
    std::function<void(std::wstring_view name)> PropertyChanged;

    // The host's stored data: a new control, loading it, saving it.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // The shell's callback message, handed on by the hook.
    void HandleTrayMessage(std::uintptr_t code, std::uintptr_t id);

    HWND OwnerWindow() const noexcept { return ownWindow_ ? ownWindow_->Handle() : nullptr; }
    std::int32_t IconId() const noexcept { return iconId_; }
    bool BalloonShowing() const noexcept { return balloonShowing_; }

private:
    // The control's hidden window: it hears the shell's callbacks, Explorer's "TaskbarCreated" and the
    // retry timer. A window of our own classes like every other.
    class OwnWindow : public Window {
    public:
        explicit OwnWindow(cSysTray& control) noexcept : control_(control) {}
        bool Create() noexcept;

    protected:
        LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;

    private:
        cSysTray& control_;
    };

    void OnTaskbarCreated();
    NOTIFYICONDATAW FreshData() const;
    // Keeps a picture that is an icon as TrayIcon, without telling the shell; false for any other.
    bool KeepTrayIcon(PictureRef icon);
    PictureRef FreshTrayIcon() const;
    bool AddTrayIcon(HWND window, std::int32_t id, const std::wstring& tip, const PictureRef& icon);
    void DeleteTrayIcon(HWND window, std::int32_t id);
    // Adds the icon, or finds it still there; keeps retrying on a timer while the shell says no.
    void PutIconInTray();
    bool TryAdding();
    void RetryAdding();
    void SetIconShown(bool shown);
    bool Send(DWORD message, NOTIFYICONDATAW& data) const;
    void Changed(std::wstring_view name) const;
    // Tells the host of an event it handles; a host handler's failure stays with the host.
    template <typename... Args>
    static void Raise(const std::function<void(Args...)>& event, std::type_identity_t<Args>... args) {
        if (event) CarryOn("cSysTray event", [&] { event(args...); });
    }

    ShellNotifyFunction shell_;
    bool runMode_;
    std::optional<OwnWindow> ownWindow_;
    std::int32_t iconId_ = 0;
    bool inTray_ = false;
    bool iconAdded_ = false;  // hooked and wanted in the tray
    bool iconShown_ = false;  // confirmed there by the shell
    int retriesLeft_ = 0;
    bool balloonShowing_ = false;
    std::int32_t balloonCount_ = 0;
    std::wstring tip_;
    PictureRef icon_;
    PictureRef facePicture_;
};

}  // namespace tellurane
