// DPI-aware system metrics. The ...ForDpi functions exist from Windows 10 1607 on; they are
// looked up at run time, so the program still starts where they are missing (and under Wine,
// which has one system DPI), falling back to the system DPI's values scaled.
#pragma once

#include "platform/win32.h"

namespace brannock_win32 {

int SystemDpi();
int WindowDpi(HWND hwnd);
int SmallIconSize(int dpi);
int LargeIconSize(int dpi);
// The message font of the desktop at `dpi`; the caller deletes it.
HFONT CreateMessageFont(int dpi);
// The window rectangle around a client area, at `dpi`.
SIZE WindowSizeFor(SIZE client, DWORD style, DWORD exStyle, bool menu, int dpi);

}  // namespace brannock_win32
