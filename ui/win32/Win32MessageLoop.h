// The one pump step, used by the program's loop and by DoEvents alike: a message goes through
// the main window's keyboard handling (Tab, access keys) before it is dispatched.
#pragma once

#include "platform/win32.h"

namespace brannock_win32 {

void Deliver(const MSG& msg, HWND mainWindow);
// Runs what is queued now and returns; never waits. A WM_QUIT met here is posted again so the
// program's loop still sees it.
void DrainMessages(HWND mainWindow);
// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop(HWND mainWindow);

}  // namespace brannock_win32
