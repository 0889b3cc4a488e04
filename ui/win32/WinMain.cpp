// The Windows program's start: COM for the shell's dialogs, the common controls, the shell
// and its form, then Main, which loads the window; the loop runs unless the window was
// already unloaded during that load.

#include "ui/modSync.h"
#include "ui/win32/Win32Api.h"
#include "ui/win32/Win32MessageLoop.h"
#include "ui/win32/Win32RunningCopy.h"
#include "ui/win32/Win32Shell.h"

namespace {

// The program's life on its settings file: a second start on the same file shows the running
// copy and goes, having read and written nothing.
int Run() {
    SystemClock clock;
    brannock_win32::Win32Shell shell(clock);
    const std::string settings = shell.form.SettingsFilePath();
    brannock_win32::Win32RunningCopy runningCopy;
    if (!runningCopy.Claim(settings))
        return brannock_win32::Win32RunningCopy::AskToShow(settings) ? 0 : 1;
    runningCopy.ListenOn(shell.window.Handle(), [&shell] {
        if (!shell.form.Unloaded())
            shell.form.mnu_PopupProperties_Click();
    });
    Main(shell.form);
    // A terminate during the first cycle of an on-state start has unloaded it already.
    if (shell.form.Unloaded())
        return 0;
    return brannock_win32::RunMessageLoop(shell.window.Handle());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The folder picker and ShellExecute need a single-threaded apartment on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_BAR_CLASSES |
                                                     ICC_LINK_CLASS};
    InitCommonControlsEx(&classes);
    const int code = Run();
    if (SUCCEEDED(com))
        CoUninitialize();
    return code;
}
