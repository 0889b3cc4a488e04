// The start routine: it lowers the thread's priority and loads the main window, whose load
// decides whether the window is shown. Nothing else lives here.
#pragma once

class frmMain;

// `form` is the constructed main window; its desktop shows the message of a failure.
void Main(frmMain& form);
