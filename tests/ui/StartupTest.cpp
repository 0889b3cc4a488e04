#include <thread>

#include "tests/engine/FormFixture.h"
#include "ui/modSync.h"

namespace {

class Startup : public FormFixture {
  protected:
    // A settings file as a previous run left it: one fileset holding one file.
    void WriteSettings(bool syncOn) {
        WriteFile(Src("a.txt"), "a");
        WriteFile(form.IniFile, "[Options]\nSyncOn=" + std::string(syncOn ? "Yes" : "No") +
                                    "\nAbout=No\nSyncTo=" + SyncTo() + "\nWakeup=30\n[FileSets]\n" +
                                    "FileSet1=" + Pattern(Src()) + "\nFileSet2=\n");
    }
};

// The close box (0) only hides the window; the end of the session (3) lets it go. Neither saves.
TEST_F(Startup, QueryUnloadNeverSaves) {
    WriteSettings(false);
    form.Form_Load();
    const std::string before = ReadFileText(form.IniFile);
    form_.lstSyncFrom.items.push_back("edited");
    form_.txtWakeup.text = "77";
    for (std::int16_t mode : {0, 3}) {
        std::int16_t cancel = 0;
        form.Form_QueryUnload(cancel, mode);
        EXPECT_EQ(cancel, mode == 0 ? 1 : 0) << mode;
        EXPECT_FALSE(desktop().visible || desktop().unloaded) << mode;  // the caller unloads
        EXPECT_EQ(ReadFileText(form.IniFile), before) << mode;
        EXPECT_EQ(form_.lstSyncFrom.items.back(), "edited");  // kept for a later Close
    }
}

// Started with syncing on, the program runs a cycle inside the load, in the tray, its window
// hidden and its timer not yet armed.
TEST_F(Startup, SessionEndDuringACycleStopsItAndUnloadsOnceItHasReturned) {
    WriteSettings(true);
    WriteFile(Src("b.txt"), "b");
    std::int16_t cancel = 0;
    bool unloadedUnderTheCycle = true;
    desktop().AtDoEvents(1, [&] {
        EXPECT_TRUE(form_.SysTray1.inTray);
        EXPECT_FALSE(desktop().visible);
        form_.txtWakeup.text = "77";
        form.Form_QueryUnload(cancel, 3);
        unloadedUnderTheCycle = desktop().unloaded;
    });
    form.Form_Load();
    EXPECT_EQ(cancel, 1);
    EXPECT_FALSE(unloadedUnderTheCycle);
    EXPECT_TRUE(desktop().unloaded);
    // The cycle's own switch-on leaves the terminate to the load: no timer armed meanwhile.
    EXPECT_EQ(desktop().timesShown + desktop().aboutShown + form_.Timer1.restarts, 0);
    EXPECT_EQ(Cycles(), 1);
    EXPECT_EQ(Saved("Options", "Wakeup"), "30");
    EXPECT_EQ(Saved("Options", "SyncOn"), "Yes");
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
    EXPECT_TRUE(desktop().visible);
}

}  // namespace
