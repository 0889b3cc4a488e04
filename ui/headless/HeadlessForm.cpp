#include "ui/headless/HeadlessForm.h"

HeadlessForm::HeadlessForm(const std::string& exePath)
    : clock(runtime::MakeDate({2026, 1, 5, 9, 0, 0})),
      form(FormControls{lstSyncFrom,   txtSyncTo,    txtWakeup,   btnAddPath,  btnModifyPath,
                        btnDeletePath, btnUpPath,    btnDownPath, btnToBrowse, btnSyncToggle,
                        btnClose,      btnTerminate, btnSyncOn,   btnSyncOff,  lblTitle,
                        StatusBar1,    pgrStatus,    Timer1,      SysTray1,    mnu_PopupDisabled},
           desktop, clock, exePath) {
    btnSyncToggle.caption = "Start Sync";
    btnClose.caption = "C&lose";
    btnTerminate.caption = "&Terminate Program";
}
