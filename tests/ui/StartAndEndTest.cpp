// The program's start and end: the load's cycle, the session's end, the priority it runs at,
// and the menus' ways out.
#include <thread>

#include "tests/control/ControlFixture.h"
#include "ui/modSync.h"

namespace {

using StartAndEnd = ControlFixture;

// Started with syncing on, the program runs a cycle inside the load, in the tray, its window
// hidden and its timer not yet armed. The close box (0) only hides the window; the end of the
// session (3) stops a running cycle and lets the window go once it has returned, and with no
// cycle running leaves the unload to the caller. Neither saves.
TEST_F(StartAndEnd, SessionEndDuringACycleStopsItAndUnloadsOnceItHasReturned) {
    // A settings file as a previous run left it, with syncing on.
    WriteFile(form.IniFile, SavedSyncingOn(SyncTo()));
    std::int16_t closeBox = 0, sessionEnd = 0, afterCycle = 0;
    bool unloadedUnderTheCycle = true;
    desktop().AtDoEvents(1, [&] {
        EXPECT_TRUE(form_.SysTray1.inTray && !desktop().visible);
        form_.txtWakeup.text = "77";
        desktop().visible = true;
        form.Form_QueryUnload(closeBox, 0);
        EXPECT_FALSE(desktop().visible || desktop().unloaded);
        form.Form_QueryUnload(sessionEnd, 3);
        unloadedUnderTheCycle = desktop().unloaded;
    });
    form.Form_Load();
    form.Form_QueryUnload(afterCycle, 3);
    EXPECT_EQ(std::to_string(closeBox) + std::to_string(sessionEnd) + std::to_string(afterCycle),
              "110");
    EXPECT_TRUE(!unloadedUnderTheCycle && desktop().unloaded);
    // The cycle's own switch-on leaves the terminate to the load: no timer armed meanwhile.
    EXPECT_EQ(desktop().timesShown + desktop().aboutShown + form_.Timer1.restarts, 0);
    EXPECT_EQ(Saved("Options", "Wakeup") + "|" + Saved("Options", "SyncOn"), "30|Yes");
}

TEST_F(StartAndEnd, MainLowersThePriorityAndLoadsTheWindow) {
    int priority = THREAD_PRIORITY_ERROR_RETURN;
    // A thread of its own, so the test runner keeps its priority.
    std::thread start([&] {
        Main(form);
        priority = GetThreadPriority(GetCurrentThread());
    });
    start.join();
    EXPECT_TRUE(priority == THREAD_PRIORITY_LOWEST && desktop().visible) << priority;
}

TEST_F(StartAndEnd, HelpAsksForTheFileBesideTheProgramAndSwallowsFailures) {
    desktop().helpThrows = true;
    EXPECT_NO_THROW(form.mnuHelpContents_Click());
    EXPECT_EQ(desktop().helpFiles, std::vector<std::string>{tmp.str("brannock.hlp")});
    EXPECT_TRUE(desktop().boxes.empty());
}

// Exit, the pop-up's Terminate and the Terminate button end the program alike.
TEST_F(StartAndEnd, ExitAndTerminateBehaveAsTheTerminateButton) {
    // Unloaded, in the tray, on, and the terminate, toggle and list enabled; then what was saved.
    const auto run = [this](void (frmMain::*terminate)()) {
        fs::remove(form.IniFile);
        HeadlessForm r(tmp.str("brannock"));
        r.form.IniFile = form.IniFile;
        r.form.ApplySyncState(true);
        (r.form.*terminate)();
        std::string seen;
        for (bool b : {r.desktop.unloaded, r.SysTray1.inTray, r.form.SyncOn, r.btnTerminate.enabled,
                       r.btnSyncToggle.enabled, r.lstSyncFrom.enabled})
            seen += b ? '1' : '0';
        return seen + Saved("Options", "SyncOn");
    };
    for (auto terminate : {&frmMain::btnTerminate_Click, &frmMain::mnu_FileExit_Click,
                           &frmMain::mnu_PopupTerminate_Click})
        EXPECT_EQ(run(terminate), "100000Yes");
}

}  // namespace
