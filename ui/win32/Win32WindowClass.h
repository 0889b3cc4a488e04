// The window class of a window the main window owns (the help and the Activity Log): the
// program's icon, an arrow cursor and the window colour, registered once per program.
#pragma once

#include "ui/win32/Win32Api.h"

namespace brannock_win32 {

// Registers `name` with `procedure` the first time it is asked; true once it is registered.
bool RegisterOwnedWindowClass(const wchar_t* name, WNDPROC procedure);

}  // namespace brannock_win32
