// The Windows program's start: COM for the shell's dialogs, the common controls, the shell
// and its form, then Main, which loads the window; the loop runs unless the window was
// already unloaded during that load.

#include "ui/modSync.h"
#include "ui/win32/Win32Api.h"
#include "ui/win32/Win32MessageLoop.h"
#include "ui/win32/Win32Shell.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The folder picker and ShellExecute need a single-threaded apartment on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_BAR_CLASSES |
                                                     ICC_LINK_CLASS};
    InitCommonControlsEx(&classes);

    int code = 0;
    {
        SystemClock clock;
        brannock_win32::Win32Shell shell(clock);
        Main(shell.form);
        // A terminate during the first cycle of an on-state start has unloaded it already.
        if (!shell.form.Unloaded())
            code = brannock_win32::RunMessageLoop(shell.window.Handle());
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return code;
}
