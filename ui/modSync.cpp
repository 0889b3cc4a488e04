#include "ui/modSync.h"

#include "platform/win32.h"
#include "ui/frmMain.h"

void Main(frmMain& form) {
    // The program's only thread yields to the user's own work; failing that, it runs on at
    // normal priority after saying so.
    if (SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST) == 0)
        form.Desktop().MsgBox("Unable to change thread priority", msgbox::kCritical, "Error");
    // The program may have been ended while that message was on screen.
    if (!form.Unloaded())
        form.Form_Load();
}
