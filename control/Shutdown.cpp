// Ending the program: stop the scheduler, save, switch off, lock the window, and unload it at
// once or, under a running cycle, once that cycle has returned.
#include <array>
#include <functional>

#include "ui/frmMain.h"

void frmMain::TerminateProgram() {
    // A second request while the first waits for the cycle would save the switched-off state
    // over the state the user terminated in.
    if (TerminatePending)
        return;
    Timer1.SetInterval(0);
    SaveSettings();  // before switching off, so the next start resumes the current state
    m_switchCause = activity::cause::kEnding;
    ApplySyncState(false);
    const std::array<std::reference_wrapper<IControl>, 12> controls = {
        btnTerminate, btnClose,    btnSyncToggle, btnAddPath, btnModifyPath, btnDeletePath,
        btnUpPath,    btnDownPath, lstSyncFrom,   txtSyncTo,  btnToBrowse,   txtWakeup};
    for (IControl& control : controls)
        control.SetEnabled(false);
    // Under a running cycle this only leaves the request in TerminatePending: whoever started
    // the cycle unloads the window once it has returned.
    Unload();
}

void frmMain::TerminateBy(const char* cause) {
    // A second request changes nothing, its cause included.
    if (!TerminatePending)
        m_endCause = cause;
    TerminateProgram();
}

void frmMain::btnTerminate_Click() {
    TerminateBy(activity::cause::kTerminateButton);
}
