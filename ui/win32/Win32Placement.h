// Where the shell's secondary windows open: over the main window, kept on its screen.
#pragma once

#include "platform/win32.h"

namespace brannock_win32 {

// The work area of the monitor `hwnd` is on (or nearest to).
RECT WorkAreaOf(HWND hwnd);

// Centres `window` over `owner`. A hidden owner still has its place, the one it shows at, so
// a box opened before the main window is first shown lands where the window will; only a
// minimised owner (whose place is off the desktop) leaves the box in the middle of the work
// area. The box is kept inside the work area either way.
void CentreOver(HWND window, HWND owner);

// Sizes `window` to `width` by `height`, but never larger than most of its owner's screen, and
// centres it over `owner`.
void SizeAndCentreOver(HWND window, HWND owner, int width, int height);

// The average width of a character of `font` in `window`, at least 4 pixels: the measure for
// windows sized by the text they show.
int AverageCharWidth(HWND window, HFONT font);

}  // namespace brannock_win32
