#include "ui/win32/Win32Placement.h"
#include "ui/win32/Win32Api.h"

#include <algorithm>

namespace brannock_win32 {
namespace {

int KeepWithin(int start, int length, int areaStart, int areaEnd) {
    return std::clamp(start, areaStart, std::max(areaStart, areaEnd - length));
}

}  // namespace

RECT WorkAreaOf(HWND hwnd) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcWork;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

void CentreOver(HWND window, HWND owner) {
    const RECT area = WorkAreaOf(owner != nullptr ? owner : window);
    RECT over = area;
    RECT ownerRect{};
    if (owner != nullptr && !IsIconic(owner) && GetWindowRect(owner, &ownerRect) &&
        ownerRect.right > ownerRect.left)
        over = ownerRect;
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (over.left + over.right - width) / 2;
    const int y = (over.top + over.bottom - height) / 2;
    SetWindowPos(window, nullptr, KeepWithin(x, width, area.left, area.right),
                 KeepWithin(y, height, area.top, area.bottom), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SizeAndCentreOver(HWND window, HWND owner, int width, int height) {
    const RECT area = WorkAreaOf(owner != nullptr ? owner : window);
    SetWindowPos(window, nullptr, 0, 0, std::min<int>(width, (area.right - area.left) * 9 / 10),
                 std::min<int>(height, (area.bottom - area.top) * 9 / 10),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CentreOver(window, owner);
}

int AverageCharWidth(HWND window, HFONT font) {
    HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return std::max<int>(metrics.tmAveCharWidth, 4);
}

}  // namespace brannock_win32
