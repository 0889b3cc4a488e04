// What starts and ends things, in the activity log: the program's start and every way it ends,
// syncing switched on and off by each cause, each cycle's cause; and the tray's word on the
// last cycle.
#include <regex>

#include "tests/control/ControlFixture.h"

namespace {

class ActivityLogControl : public ControlFixture {
  protected:
    // The log's words and details since the last call, without the stamps.
    std::vector<std::string> Events() {
        std::vector<std::string> events;
        const std::string text = fs::exists(form.LogFile) ? ReadFileText(form.LogFile) : "";
        for (std::size_t at = read_; at < text.size();) {
            const std::size_t end = text.find('\n', at);
            std::string line = text.substr(at + 20, end - at - 20);
            if (line.starts_with("done "))
                line = "done";
            if (!line.starts_with("copied") && !line.starts_with("failed"))
                events.push_back(line);
            at = end + 1;
        }
        read_ = text.size();
        return events;
    }
    std::string Tip() const { return form_.SysTray1.tip; }
    static std::string WithoutTime(const std::string& tip) {
        return std::regex_replace(tip, std::regex("Last cycle [0-2][0-9]:[0-5][0-9]:"),
                                  "Last cycle hh:mm:");
    }
    std::size_t read_ = 0;
};

using Lines = std::vector<std::string>;

TEST_F(ActivityLogControl, ADayOfWorkSaysWhatStartedAndStoppedEachThing) {
    WriteFile(form.IniFile, "[Options]\nSyncOn=Yes\nAbout=No\nSyncTo=" + SyncTo() +
                                "\nWakeup=30\n[FileSets]\nFileSet1=" + Pattern(Src()) + "\n");
    form_.lstSyncFrom.items.clear();
    form.Form_Load();
    EXPECT_EQ(Events(), (Lines{"start Brannock v1.0.2, settings " + form.IniFile,
                               "sync-on at start-up, as saved", "cycle at start-up", "done"}));
    EXPECT_EQ(WithoutTime(Tip()), "Sync Ready\nLast cycle hh:mm: 1 copied, 0 deleted, 0 failed");

    form.ToggleSync();
    form.ToggleSync();
    form_.clock.AdvanceSeconds(30 * 60);
    form.Timer1_Timer();
    EXPECT_EQ(Events(), (Lines{"sync-off by the user", "sync-on by the user",
                               "cycle by the switch-on", "done", "cycle by the timer", "done"}));

    // The first cycle with failures says so once from the tray; the next one with the same
    // failure does not, and neither do the error limit's own cycles beyond its notice.
    form_.lstSyncFrom.items.push_back(Pattern(FailingFileset()));
    for (int i = 0; i < 5; ++i) {
        form_.clock.AdvanceSeconds(30 * 60);
        form.Timer1_Timer();
    }
    ASSERT_EQ(form_.SysTray1.balloons.size(), 2u);
    EXPECT_EQ(form_.SysTray1.balloons[0].text,
              "2 files failed in the last cycle. The Activity Log says which.");
    EXPECT_TRUE(form_.SysTray1.balloons[1].text.starts_with("Syncing was switched off"));
    const Lines events = Events();
    EXPECT_EQ(Lines(events.end() - 2, events.end()),
              (Lines{"sync-off by the error limit", "done"}));
    EXPECT_EQ(WithoutTime(Tip()),
              "Sync Disabled\nLast cycle hh:mm: 0 copied, 0 deleted, 1 failed\n" + LastError());

    form.mnu_FileExit_Click();
    EXPECT_EQ(Events(), (Lines{"end by File > Exit"}));
    EXPECT_TRUE(desktop().boxes.empty());

    // The next start finds syncing saved as off.
    HeadlessForm next(tmp.str("brannock"));
    next.form.Form_Load();
    EXPECT_EQ(Events(), (Lines{"start Brannock v1.0.2, settings " + form.IniFile,
                               "sync-off at start-up, as saved"}));
}

// Each way out names itself, once, in the log's last line; a terminate waiting for the cycle
// switches syncing off as the program ends, and a second request does not rename the cause.
TEST_F(ActivityLogControl, EachWayOutNamesItself) {
    using Action = std::function<void(frmMain&)>;
    const std::vector<std::pair<Action, std::string>> ways = {
        {[](frmMain& f) { f.btnTerminate_Click(); }, "by the Terminate button"},
        {[](frmMain& f) { f.mnu_PopupTerminate_Click(); }, "by the tray menu's Terminate"},
        {[](frmMain& f) { f.mnu_FileExit_Click(); }, "by File > Exit"},
        {[](frmMain& f) {
             std::int16_t cancel = 0;
             f.Form_QueryUnload(cancel, 2);
             f.Unload();
         },
         "as the session ends"},
        {[](frmMain& f) {
             std::int16_t cancel = 0;
             f.Form_QueryUnload(cancel, 3);
             f.Unload();
         },
         "on a stop signal"},
    };
    for (const auto& [way, cause] : ways) {
        TempDir dir;
        HeadlessForm w(dir.str("brannock"));
        WriteFile(dir.path() / "brannock.ini",
                  "[Options]\nSyncOn=Yes\nAbout=No\nSyncTo=" + dir.str("mirror") +
                      "\n[FileSets]\nFileSet1=" + Pattern(Src()) + "\n");
        // The request comes during the load's cycle, and another one after it.
        w.desktop.AtDoEvents(1, [&] {
            way(w.form);
            w.form.mnu_PopupTerminate_Click();
        });
        w.form.Form_Load();
        EXPECT_TRUE(w.desktop.unloaded);
        form.LogFile = w.form.LogFile;
        read_ = 0;
        EXPECT_EQ(Events(), (Lines{"start Brannock v1.0.2, settings " + dir.str("brannock.ini"),
                                   "sync-on at start-up, as saved", "cycle at start-up",
                                   "sync-off as the program ends", "done", "end " + cause}));
    }
}

TEST_F(ActivityLogControl, TheEraseSaysWhatItRemovedOrWhyItWasRefused) {
    form.EraseOnStart = true;
    form.LogFile = tmp.str("brannock.log");
    form.Log.SetPath(form.LogFile);
    WriteFile(Dest("old/deep/x.txt"), "x");
    WriteFile(Dest("y.txt"), "y");
    desktop().msgBoxAnswers = {msgbox::kYes, msgbox::kYes};
    form.ToggleSync();
    EXPECT_EQ(Events().at(0), "erased " + SyncTo() + ": 2 files and 2 folders removed");
    form.ToggleSync();
    Events();

    // Sources elsewhere, and a Sync To directory that holds the program folder.
    TempDir elsewhere;
    WriteFile(elsewhere.path() / "a.txt", "a");
    form_.lstSyncFrom.items = {Pattern(elsewhere.path())};
    form_.txtSyncTo.text = tmp.str();
    desktop().msgBoxAnswers = {msgbox::kYes, msgbox::kYes, msgbox::kNo};
    form.ToggleSync();
    const Lines events = Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_TRUE(events[0].starts_with("left-alone Sync To directory " + tmp.str() +
                                      " not erased: it is or holds the program folder "))
        << events[0];
    EXPECT_FALSE(form.SyncOn);
}

}  // namespace
