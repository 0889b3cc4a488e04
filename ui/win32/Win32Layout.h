// Where the main window's controls go, in pixels, from the font's dialog base units and the
// DPI: one pure function, so every scale is laid out by the same arithmetic.
#pragma once

#include <array>

#include "platform/win32.h"

namespace brannock_win32 {

struct LayoutMetrics {
    int dpi = 96;
    int baseX = 7;             // the font's average character width, pixels
    int baseY = 16;            // the font's character height, pixels
    int icon = 16;             // the small icon's side at this DPI
    int commandTextWidth = 0;  // the widest caption the command buttons can carry
    int wakeupTextWidth = 0;   // the widest text of the wake-up column
};

struct MainLayout {
    RECT frame2;                         // "Sync From:"
    std::array<RECT, 5> filesetButtons;  // add, modify, delete, up, down
    RECT list;
    RECT frame3;  // "Wakeup:"
    RECT wakeup;
    RECT label1;
    RECT title;
    std::array<RECT, 3> commands;  // close, toggle, terminate
    RECT frame1;                   // "Sync To:"
    RECT syncTo;
    RECT browse;
    SIZE minClient;  // the smallest area above the status bar that holds all of it
    SIZE defaultClient;
};

// `client` is the area above the status bar; smaller than minClient, it is laid out at that.
MainLayout LayOutMain(const LayoutMetrics& metrics, SIZE client);

// Dialog units to pixels, as the dialog manager converts them.
inline int DluX(const LayoutMetrics& m, int units) {
    return MulDiv(units, m.baseX, 4);
}
inline int DluY(const LayoutMetrics& m, int units) {
    return MulDiv(units, m.baseY, 8);
}

}  // namespace brannock_win32
