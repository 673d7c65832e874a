#include "win32/form.h"

#include <vector>

#include "logic/twips.h"
#include "win32/boundary.h"
#include "win32/dpi.h"

namespace tellurane {

RECT Form::NormalRect() const noexcept {
    RECT rect{};
    if (!IsIconic(Handle())) {
        GetWindowRect(Handle(), &rect);
        return rect;
    }
    // A minimised window's normal place is kept in workspace coordinates: move it to the screen's.
    WINDOWPLACEMENT placement{sizeof placement};
    GetWindowPlacement(Handle(), &placement);
    rect = placement.rcNormalPosition;
    MONITORINFO monitor{sizeof monitor};
    if (GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor)) {
        OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return rect;
}

StoredPlace Form::Place() const noexcept {
    return CarryOnOr("Form::Place", StoredPlace{},
                     [this] { return PlaceToStore(ToPixelRect(NormalRect()), DesktopMonitors(), SystemDpi()); });
}

double Form::Top() const noexcept { return Place().top; }
double Form::Left() const noexcept { return Place().left; }
double Form::Width() const noexcept { return Place().width; }
double Form::Height() const noexcept { return Place().height; }

void Form::MoveTo(const StoredPlace& place, bool bringOnScreen) noexcept {
    CarryOn("Form::MoveTo", [&] {
        const std::vector<MonitorArea> monitors = DesktopMonitors();
        const Placement target = PlaceFromStore(place, monitors, SystemDpi(), bringOnScreen);
        const PixelRect& r = target.rect;
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        // Onto a monitor of another scaling, the window first goes there and takes its DPI (and the
        // size Windows suggests with it); only then does it get the size meant for that monitor.
        if (monitors[target.monitor].dpi != dpi_) {
            SetWindowPos(Handle(), nullptr, r.left, r.top, 0, 0, flags | SWP_NOSIZE);
        }
        SetWindowPos(Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
    });
}

// One of the four numbers changed, the others as the window has them now.
void Form::SetPlaceField(double StoredPlace::*field, double twips) noexcept {
    StoredPlace place = Place();
    place.*field = twips;
    MoveTo(place, false);
}

void Form::SetTop(double twips) noexcept { SetPlaceField(&StoredPlace::top, twips); }
void Form::SetLeft(double twips) noexcept { SetPlaceField(&StoredPlace::left, twips); }
void Form::SetWidth(double twips) noexcept { SetPlaceField(&StoredPlace::width, twips); }
void Form::SetHeight(double twips) noexcept { SetPlaceField(&StoredPlace::height, twips); }

void Form::BringOntoAMonitor() noexcept { MoveTo(Place(), true); }

double Form::ClientWidth() const noexcept {
    RECT client{};
    GetClientRect(Handle(), &client);
    return PixelsToTwips(client.right - client.left, dpi_);
}

double Form::ClientHeight() const noexcept {
    RECT client{};
    GetClientRect(Handle(), &client);
    return PixelsToTwips(client.bottom - client.top, dpi_);
}

}  // namespace tellurane
