#include "support/mmFormStyle.h"
#include "platform/Owners.h"
#include <cmath>

namespace vireo {

namespace {

int TwipsPerPixel(int axis) {
    int dpi = 96;
    if (const WindowDC screen(nullptr); screen) dpi = GetDeviceCaps(screen.get(), axis);
    return dpi > 0 ? 1440 / dpi : 15;
}

TwipsRect WindowTwips(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    return TwipsRect{r.left * tx, r.top * ty, (r.right - r.left) * tx, (r.bottom - r.top) * ty};
}

} // namespace

int TwipsPerPixelX() {
    return TwipsPerPixel(LOGPIXELSX);
}

int TwipsPerPixelY() {
    return TwipsPerPixel(LOGPIXELSY);
}

double CenteredEdge(double start, double areaSize, double formSize) {
    // std::nearbyint rounds half to even in the default rounding mode; C++ division truncates toward zero.
    auto difference = static_cast<long long>(std::nearbyint(areaSize - formSize));
    return start + static_cast<double>(difference / 2);
}

void CenterForm(HWND form, HWND owner) {
    if (!form) return;
    TwipsRect me = WindowTwips(form);
    TwipsRect area;
    if (owner) {
        area = WindowTwips(owner);
    } else {
        area.width = GetSystemMetrics(SM_CXSCREEN) * static_cast<double>(TwipsPerPixelX());
        area.height = GetSystemMetrics(SM_CYSCREEN) * static_cast<double>(TwipsPerPixelY());
    }
    double left = CenteredEdge(area.left, area.width, me.width);
    double top = CenteredEdge(area.top, area.height, me.height);
    POINT pt{static_cast<LONG>(std::lround(left / TwipsPerPixelX())),
             static_cast<LONG>(std::lround(top / TwipsPerPixelY()))};
    if (GetWindowLongA(form, GWL_STYLE) & WS_CHILD) MapWindowPoints(nullptr, GetParent(form), &pt, 1);
    SetWindowPos(form, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace vireo
