// The system's requests that the process stop (a task manager's or a log-off's SIGTERM, Ctrl+C
// in a terminal) end the program the way the task manager's close does on Windows: a copy under
// way stops after its block and the tray icon goes, instead of the process vanishing mid-write.
#pragma once

#include "ui/qt/QtShell.h"

namespace brannock_qt {

// Installs the handlers and polls for a request while events run, also during a cycle.
void WatchStopSignals(QtShell& shell);

}  // namespace brannock_qt
