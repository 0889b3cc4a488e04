#include <functional>
#include <string>
#include <vector>

#include "tests/ui/UiFixture.h"

namespace {

TEST(Help, AsksForTheFileBesideTheProgramAndSwallowsFailures) {
    UiWorld w;
    w.form.mnuHelpContents_Click();
    w.desktop.helpThrows = true;
    EXPECT_NO_THROW(w.form.mnuHelpContents_Click());
    EXPECT_EQ(w.desktop.helpFiles, std::vector<std::string>(2, w.tmp.str("brannock.hlp")));
    EXPECT_TRUE(w.desktop.boxes.empty());
}

// Exit, the pop-up's Terminate and the Terminate button end the program alike.
TEST(TrayTerminate, ExitAndTerminateBehaveAsTheTerminateButton) {
    struct Outcome {
        bool unloaded, inTray, syncOn, terminateEnabled, listEnabled;
        std::string savedSyncOn;
        bool operator==(const Outcome&) const = default;
    };
    auto run = [](std::function<void(frmMain&)> terminate) {
        UiWorld r;
        r.FillControls();
        r.form.ApplySyncState(true);
        terminate(r.form);
        return Outcome{r.desktop.unloaded,        r.ui.SysTray1.inTray,     r.form.SyncOn,
                       r.ui.btnTerminate.enabled, r.ui.lstSyncFrom.enabled, r.Saved("SyncOn")};
    };
    Outcome button = run([](frmMain& f) { f.btnTerminate_Click(); });
    EXPECT_EQ(button, (Outcome{true, false, false, false, false, "Yes"}));
    EXPECT_EQ(run([](frmMain& f) { f.mnu_FileExit_Click(); }), button);
    EXPECT_EQ(run([](frmMain& f) { f.mnu_PopupTerminate_Click(); }), button);
}

}  // namespace
