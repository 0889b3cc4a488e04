// The tray icon's mouse event, the tray pop-up menu, and the File and Help menus.
#include "fileio/PathText.h"
#include "ui/frmMain.h"

namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kRightButton = 2;
// The menu's right edge on the pointer; items are chosen with the left button.
constexpr int kPopupRightAlignLeftButton = 8;

}  // namespace

void frmMain::SysTray1_MouseEvent(std::int16_t Button, std::int32_t /*Id*/) {
    if (Button == kRightButton) {
        // The pop-up's opening event is raised here, on the one path that opens the menu, so
        // its check mark is right before the items show on every desktop. A desktop that also
        // raises it when its menu is about to show does no harm: the handler only copies the
        // current state.
        mnu_Popup_Click();
        m_desktop.PopupTrayMenu(kPopupRightAlignLeftButton);
    } else if (Button == kLeftButton) {
        m_desktop.ShowMainWindow();
    }
}

void frmMain::mnu_Popup_Click() {
    // Refreshed at every opening rather than kept up to date with each switch.
    mnu_PopupDisabled.SetChecked(!SyncOn);
}

void frmMain::mnu_PopupProperties_Click() {
    m_desktop.ShowMainWindow();
}

void frmMain::mnu_PopupDisabled_Click() {
    ToggleSync();
}

void frmMain::mnu_PopupTerminate_Click() {
    TerminateBy(activity::cause::kTrayTerminate);
}

void frmMain::mnu_FileExit_Click() {
    TerminateBy(activity::cause::kFileExit);
}

void frmMain::mnu_HelpAbout_Click() {
    m_desktop.ShowAboutBox();
}

void frmMain::mnuHelpContents_Click() {
    // A missing help file or viewer is not worth a message: the request just comes to nothing.
    try {
        m_desktop.ShowHelpFile(ProgramFolder() + std::string(kSepText) + ExeBaseName() + ".hlp");
    } catch (...) {
    }
}
