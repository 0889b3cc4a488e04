#include "tests/engine/FormFixture.h"

namespace {

using Menus = FormFixture;

TEST_F(Menus, HelpAsksForTheFileBesideTheProgramAndSwallowsFailures) {
    desktop().helpThrows = true;
    EXPECT_NO_THROW(form.mnuHelpContents_Click());
    EXPECT_EQ(desktop().helpFiles, std::vector<std::string>{tmp.str("brannock.hlp")});
    EXPECT_TRUE(desktop().boxes.empty());
}

// Exit, the pop-up's Terminate and the Terminate button end the program alike.
TEST_F(Menus, ExitAndTerminateBehaveAsTheTerminateButton) {
    // Unloaded, in the tray, on, and the terminate, toggle and list enabled; then what was saved.
    const auto run = [this](void (frmMain::*terminate)()) {
        fs::remove(form.IniFile);
        HeadlessForm r(tmp.str("brannock"));
        r.form.IniFile = form.IniFile;
        r.form.ApplySyncState(true);
        (r.form.*terminate)();
        return std::vector<bool>{r.desktop.unloaded,
                                 r.SysTray1.inTray,
                                 r.form.SyncOn,
                                 r.btnTerminate.enabled,
                                 r.btnSyncToggle.enabled,
                                 r.lstSyncFrom.enabled,
                                 Saved("Options", "SyncOn") == "Yes"};
    };
    const std::vector<bool> button = run(&frmMain::btnTerminate_Click);
    EXPECT_EQ(button, (std::vector<bool>{true, false, false, false, false, false, true}));
    EXPECT_EQ(run(&frmMain::mnu_FileExit_Click), button);
    EXPECT_EQ(run(&frmMain::mnu_PopupTerminate_Click), button);
}

}  // namespace
