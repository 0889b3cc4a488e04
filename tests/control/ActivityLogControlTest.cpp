// What starts and ends things, in the activity log: the program's start and every way it ends,
// syncing switched on and off by each cause, each cycle's cause, the erase; and the tray's word
// on the last cycle and on the error limit.
#include <tuple>

#include "tests/control/ControlFixture.h"

namespace {

using Lines = std::vector<std::string>;

// The log's lines since `read`, without stamps, copies, deletions and failures, "done" without
// details.
Lines Events(const std::string& file, std::size_t& read) {
    Lines events;
    const std::string text = ReadFileText(file);
    for (; read < text.size(); read = text.find('\n', read) + 1) {
        const std::string line = text.substr(read + 20, text.find('\n', read) - read - 20);
        if (!line.starts_with("copied") && !line.starts_with("failed") &&
            !line.starts_with("deleted"))
            events.push_back(line.starts_with("done ") ? "done" : line);
    }
    return events;
}

using ActivityLogControl = ControlFixture;

TEST_F(ActivityLogControl, ADayOfWorkSaysWhatStartedAndStoppedEachThing) {
    std::size_t read = 0;
    const auto events = [&] { return Events(form.LogFile, read); };
    // The tray tip, then every balloon shown so far.
    const auto tray = [&] {
        std::string text = form_.SysTray1.tip;
        for (const auto& balloon : form_.SysTray1.balloons)
            text += "|" + balloon.title + ": " + balloon.text;
        return text;
    };
    WriteFile(form.IniFile, SavedSyncingOn(SyncTo()));
    form_.lstSyncFrom.items.clear();
    form.Form_Load();
    EXPECT_EQ(events(), (Lines{"start Brannock v1.0.2, settings " + form.IniFile,
                               "sync-on at start-up, as saved", "cycle at start-up", "done"}));
    EXPECT_EQ(tray(), "Sync Ready\nLast cycle 09:00: 1 copied, 0 deleted, 0 failed");

    form.ToggleSync();
    WriteFile(Dest("old/x.txt"), "x");
    const auto folders = std::count_if(fs::recursive_directory_iterator(SyncTo()), {},
                                       [](const auto& entry) { return entry.is_directory(); });
    form.EraseOnStart = true;
    desktop().msgBoxAnswers = {msgbox::kYes, msgbox::kYes};
    form.ToggleSync();
    TimerCycle();
    EXPECT_EQ(events(), (Lines{"sync-off by the user",
                               "erased " + SyncTo() + ": 2 files and " + std::to_string(folders) +
                                   " folders removed",
                               "sync-on by the user", "cycle by the switch-on", "done",
                               "cycle by the timer", "done"}));

    // A failing fileset first: the later fileset (failing on the same file) and the cleanup
    // still run, and the first cycle with failures says so once from the tray. The fifth
    // failure in a row switches off before the later fileset, with the tray's notice, and the
    // tip keeps the reason under the state until syncing is switched on again.
    form_.lstSyncFrom.items.insert(form_.lstSyncFrom.items.begin(), Pattern(FailingFileset()));
    form.DeleteOrphans = true;
    WriteFile(Mirror(Src("orphan.txt")), "o");
    const std::string failedOnce =
        "|Brannock: 2 files failed in the last cycle. The Activity Log says which.";
    TimerCycle();
    EXPECT_EQ(tray(), "Sync Ready\nLast cycle 10:00: 0 copied, 1 deleted, 2 failed" + failedOnce);
    TimerCycle();
    TimerCycle();
    EXPECT_EQ(tray(), "Sync Disabled\nLast cycle 11:00: 0 copied, 0 deleted, 1 failed\n" +
                          LastError() + failedOnce +
                          "|Brannock: Syncing was switched off: the same failure was recorded "
                          "five times in a row.\n" +
                          LastError());
    form.ToggleSync();
    form.ToggleSync();
    EXPECT_EQ(form_.SysTray1.tip, "Sync Disabled\nLast cycle 11:00: 0 copied, 0 deleted, 2 failed");

    form.mnu_FileExit_Click();
    HeadlessForm next(tmp.str("brannock"));  // the next start finds syncing saved as off
    next.form.Form_Load();
    EXPECT_EQ(events(), (Lines{"cycle by the timer", "done", "cycle by the timer", "done",
                               "cycle by the timer", "sync-off by the error limit", "done",
                               "sync-on by the user", "cycle by the switch-on", "done",
                               "sync-off by the user", "end by File > Exit",
                               "start Brannock v1.0.2, settings " + form.IniFile,
                               "sync-off at start-up, as saved"}));
    // The erase's questions (the second switch-on's first one answered No), nothing unattended.
    EXPECT_EQ(desktop().boxes.size(), 3u);
}

// Each way out names itself in the log's last line, when it comes during the load's cycle or a
// timer's and another follows before the cycle has returned (the tray menu's Terminate, or a
// stop signal during a timer's). The program ends only once the cycle has returned, the state
// it was ended in saved: the next start resumes syncing.
TEST_F(ActivityLogControl, EachWayOutNamesItself) {
    const auto outside = [](std::int16_t reason) {
        return [reason](frmMain& f) {
            std::int16_t cancel = 0;
            f.Form_QueryUnload(cancel, reason);
            f.Unload();
        };
    };
    // The way, the cause it names, and whether it comes during a timer's cycle.
    const std::vector<std::tuple<std::function<void(frmMain&)>, std::string, bool>> ways = {
        {[](frmMain& f) { f.btnTerminate_Click(); }, "by the Terminate button", true},
        {[](frmMain& f) { f.mnu_PopupTerminate_Click(); }, "by the tray menu's Terminate", false},
        {[](frmMain& f) { f.mnu_FileExit_Click(); }, "by File > Exit", false},
        {outside(2), "as the session ends", false},
        {outside(3), "on a stop signal", true},
    };
    std::size_t read = 0;
    for (const auto& [way, cause, timer] : ways) {
        // Each a new start from the fixture's program folder, its mirror the fixture's.
        HeadlessForm w(tmp.str("brannock"));
        WriteFile(form.IniFile, SavedSyncingOn(SyncTo()));
        bool unloadedDuringCycle = true;
        w.desktop.WhenDoEvents([&] { return Cycles(w) == (timer ? 2 : 1); },
                               [&] {
                                   way(w.form);
                                   timer ? outside(3)(w.form) : w.form.mnu_PopupTerminate_Click();
                                   unloadedDuringCycle = w.desktop.unloaded;
                               });
        w.form.Form_Load();
        Lines expected = {"start Brannock v1.0.2, settings " + form.IniFile,
                          "sync-on at start-up, as saved", "cycle at start-up"};
        if (timer) {
            w.clock.AdvanceSeconds(30 * 60);
            w.form.Timer1_Timer();
            expected.insert(expected.end(), {"done", "cycle by the timer"});
        }
        EXPECT_TRUE(!unloadedDuringCycle && w.desktop.unloaded && !w.SysTray1.inTray);
        EXPECT_EQ(Saved("Options", "SyncOn"), "Yes");
        expected.insert(expected.end(), {"sync-off as the program ends", "done", "end " + cause});
        EXPECT_EQ(Events(w.form.LogFile, read), expected);
    }
}

}  // namespace
