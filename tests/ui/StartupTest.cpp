#include <thread>

#include "tests/ui/UiFixture.h"
#include "ui/modSync.h"

namespace {

using Startup = UiFixture;

TEST_F(Startup, SavedOnStartsInTheTrayAndRunsTheFirstCycleAtOnce) {
    WriteSettings(true);
    bool inTrayAtFirstEvents = false, shownAtFirstEvents = true, timerArmed = true;
    desktop.AtDoEvents(1, [&] {
        inTrayAtFirstEvents = ui.SysTray1.inTray;
        shownAtFirstEvents = desktop.visible;
        timerArmed = ui.Timer1.restarts > 0;
    });
    form.Form_Load();
    EXPECT_TRUE(inTrayAtFirstEvents);
    EXPECT_FALSE(shownAtFirstEvents);
    EXPECT_FALSE(timerArmed);  // the cycle did not wait for a tick
    EXPECT_TRUE(fs::exists(Mirror(Src() / "a.txt")));
    EXPECT_EQ(desktop.timesShown, 0);
    EXPECT_EQ(desktop.aboutShown, 0);
    EXPECT_TRUE(form.SyncOn);
    EXPECT_EQ(ui.Timer1.interval, 5000);
    EXPECT_FALSE(ui.lstSyncFrom.enabled);
}

TEST_F(Startup, SavedOffShowsTheWindowReadyForEditing) {
    WriteSettings(false);
    form.Form_Load();
    EXPECT_EQ(form.IniFile, Ini());
    EXPECT_EQ(ui.lblTitle.caption, "Brannock v1.0.2");
    EXPECT_TRUE(desktop.visible);
    EXPECT_TRUE(ui.SysTray1.inTray);
    EXPECT_FALSE(ui.pgrStatus.visible);
    EXPECT_EQ(ui.btnSyncToggle.caption, "Start Sync");
    EXPECT_EQ(ui.lstSyncFrom.items, std::vector<std::string>{Fileset()});
    for (const HeadlessControl* c : {static_cast<HeadlessControl*>(&ui.lstSyncFrom),
                                     static_cast<HeadlessControl*>(&ui.txtSyncTo),
                                     static_cast<HeadlessControl*>(&ui.txtWakeup),
                                     static_cast<HeadlessControl*>(&ui.btnAddPath),
                                     static_cast<HeadlessControl*>(&ui.btnToBrowse)})
        EXPECT_TRUE(c->enabled);
    EXPECT_FALSE(fs::exists(Mirror(Src() / "a.txt")));
    EXPECT_EQ(desktop.aboutShown, 0);
}

TEST_F(Startup, FirstStartShowsAboutOverTheWindowUntilTheFirstClose) {
    bool windowShownUnderAbout = false;
    desktop.onAbout = [&] { windowShownUnderAbout = desktop.visible; };
    form.Form_Load();
    EXPECT_EQ(desktop.aboutShown, 1);
    EXPECT_TRUE(windowShownUnderAbout);

    form.btnClose_Click();
    EXPECT_FALSE(desktop.visible);
    EXPECT_EQ(Saved("About"), "No");

    HeadlessForm next(tmp.str("brannock"));
    next.form.Form_Load();
    EXPECT_EQ(next.desktop.aboutShown, 0);
    EXPECT_TRUE(next.desktop.visible);
}

TEST_F(Startup, TerminateFromTheTrayDuringTheFirstCycleEndsWithoutShowingTheWindow) {
    WriteSettings(true);
    WriteFile(Src() / "b.txt", "b");
    bool unloadedUnderTheCycle = true;
    desktop.AtDoEvents(1, [&] {
        desktop.onPopup = [&] { form.mnu_PopupTerminate_Click(); };
        form.SysTray1_MouseEvent(2, 0);
        unloadedUnderTheCycle = desktop.unloaded;
    });
    form.Form_Load();
    EXPECT_FALSE(unloadedUnderTheCycle);
    EXPECT_TRUE(desktop.unloaded);
    EXPECT_TRUE(form.Unloaded());
    EXPECT_EQ(desktop.timesShown, 0);
    EXPECT_EQ(desktop.aboutShown, 0);
    EXPECT_FALSE(ui.SysTray1.inTray);
    EXPECT_EQ(Saved("SyncOn"), "Yes");  // saved before syncing was switched off
}

TEST_F(Startup, CloseBoxHidesWithoutSaving) {
    WriteSettings(false);
    form.Form_Load();
    const std::string before = ReadFileText(Ini());
    ui.lstSyncFrom.items.push_back("edited");
    std::int16_t cancel = 0;
    form.Form_QueryUnload(cancel, 0);
    EXPECT_EQ(cancel, 1);
    EXPECT_FALSE(desktop.visible);
    EXPECT_FALSE(desktop.unloaded);
    EXPECT_EQ(ReadFileText(Ini()), before);
    EXPECT_EQ(ui.lstSyncFrom.items.back(), "edited");  // kept for the next Close or Terminate
}

TEST_F(Startup, SessionEndLetsTheWindowGoWithoutSaving) {
    WriteSettings(false);
    form.Form_Load();
    const std::string before = ReadFileText(Ini());
    ui.txtWakeup.text = "77";
    std::int16_t cancel = 0;
    form.Form_QueryUnload(cancel, 3);
    EXPECT_EQ(cancel, 0);
    EXPECT_FALSE(desktop.unloaded);  // the caller unloads
    EXPECT_EQ(ReadFileText(Ini()), before);
}

TEST_F(Startup, SessionEndDuringACycleStopsItAndUnloadsOnceItHasReturned) {
    WriteSettings(true);
    WriteFile(Src() / "b.txt", "b");
    std::int16_t cancel = 0;
    bool unloadedUnderTheCycle = true;
    desktop.AtDoEvents(1, [&] {
        ui.txtWakeup.text = "77";
        form.Form_QueryUnload(cancel, 3);
        unloadedUnderTheCycle = desktop.unloaded;
    });
    form.Form_Load();
    EXPECT_EQ(cancel, 1);
    EXPECT_FALSE(unloadedUnderTheCycle);
    EXPECT_TRUE(desktop.unloaded);
    EXPECT_EQ(desktop.timesShown, 0);
    EXPECT_EQ(Saved("Wakeup"), "30");
    EXPECT_EQ(Saved("SyncOn"), "Yes");
}

TEST_F(Startup, MainLowersThePriorityAndLoadsTheWindow) {
    int priority = THREAD_PRIORITY_ERROR_RETURN;
    // A thread of its own, so the test runner keeps its priority.
    std::thread start([&] {
        Main(form);
        priority = GetThreadPriority(GetCurrentThread());
    });
    start.join();
    EXPECT_EQ(priority, THREAD_PRIORITY_LOWEST);
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_TRUE(desktop.visible);
    EXPECT_EQ(desktop.aboutShown, 1);
}

}  // namespace
