#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string_view>

#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "tests/support/TempDir.h"
#include "tests/support/Wine.h"
#include "ui/headless/HeadlessForm.h"

namespace fs = std::filesystem;

namespace {

// Starts of the program from one program folder: each Start() loads a fresh window, as a new
// run of the executable would, over the settings file beside it.
class Settings : public ::testing::Test {
  protected:
    std::string Exe() const { return tmp.str("brannock.exe"); }
    fs::path Ini() const { return tmp.path() / "brannock.ini"; }
    HeadlessForm& Start() {
        window = std::make_unique<HeadlessForm>(Exe());
        window->form.Form_Load();
        return *window;
    }
    void Put(const char* section, const std::string& key, const std::string& value) {
        WriteIniString(section, key, value, Narrow(Ini()));
    }
    std::string Get(const char* section, const std::string& key) {
        std::string value;
        ReadIniString(section, key, "<absent>", value, Narrow(Ini()));
        return value;
    }
    long CyclesOf(const HeadlessForm& w) {
        const auto& tips = w.SysTray1.tipHistory;
        return std::count(tips.begin(), tips.end(), "Sync Active");
    }

    TempDir tmp;
    std::unique_ptr<HeadlessForm> window;
};

TEST_F(Settings, AFreshStartThenCloseWritesTheDefaults) {
    window = std::make_unique<HeadlessForm>(Exe());
    HeadlessForm& w = *window;
    bool shownUnderAbout = false;
    w.desktop.onAbout = [&] { shownUnderAbout = w.desktop.visible; };
    w.form.Form_Load();
    EXPECT_EQ(w.form.IniFile, Narrow(Ini()));
    EXPECT_TRUE(shownUnderAbout);
    EXPECT_EQ(w.desktop.aboutShown, 1);
    EXPECT_TRUE(w.SysTray1.inTray);
    EXPECT_EQ(w.btnSyncToggle.caption, "Start Sync");
    EXPECT_TRUE(w.lstSyncFrom.enabled && w.txtSyncTo.enabled && w.btnAddPath.enabled);
    EXPECT_EQ(w.txtWakeup.text, "30");
    EXPECT_FALSE(fs::exists(Ini()));  // loading writes nothing but the cleared error record

    w.form.btnClose_Click();
    EXPECT_FALSE(w.desktop.visible);
    EXPECT_EQ(Get("Options", "SyncOn"), "No");
    EXPECT_EQ(Get("FileSets", "FileSet1"), "");  // the terminator: a key with an empty value
    EXPECT_EQ(Get("Options", "About"), "No");
    EXPECT_EQ(Get("Options", "SyncTo"), "");
    EXPECT_EQ(Get("Options", "Wakeup"), "30");
    for (const char* never : {"Cutoff", "Erase", "Delete", "SyncDateTime"})
        EXPECT_EQ(Get("Options", never), "<absent>") << never;

    HeadlessForm& next = Start();  // saved once: no About box any more
    EXPECT_EQ(next.desktop.aboutShown, 0);
    EXPECT_TRUE(next.desktop.visible);
}

TEST_F(Settings, AShorterListLeavesOldKeysBehindTheTerminator) {
    for (int i = 1; i <= 5; ++i)
        Put("FileSets", "FileSet" + std::to_string(i), "/old/" + std::to_string(i) + "/*.*");
    HeadlessForm& w = Start();
    ASSERT_EQ(w.lstSyncFrom.items.size(), 5u);
    w.lstSyncFrom.items = {"/new/a/*.*", "/new/b/*.*"};
    w.form.btnClose_Click();
    EXPECT_EQ(Get("FileSets", "FileSet1"), "/new/a/*.*");
    EXPECT_EQ(Get("FileSets", "FileSet2"), "/new/b/*.*");
    EXPECT_EQ(Get("FileSets", "FileSet3"), "");
    EXPECT_EQ(Get("FileSets", "FileSet4"), "/old/4/*.*");
    EXPECT_EQ(Get("FileSets", "FileSet5"), "/old/5/*.*");
    EXPECT_EQ(Start().lstSyncFrom.items, (std::vector<std::string>{"/new/a/*.*", "/new/b/*.*"}));
}

TEST_F(Settings, AGapEndsTheListAndDuplicatesStay) {
    // Written by hand, as a user would; only the first "=" of a line ends its key.
    WriteFile(Ini(),
              "[FileSets]\nFileSet1=/a/*.*\nFileSet2=/data/a=b/*.*\nFileSet3=/a/*.*\n"
              "FileSet5=/after/the/gap/*.*\n");
    EXPECT_EQ(Start().lstSyncFrom.items,
              (std::vector<std::string>{"/a/*.*", "/data/a=b/*.*", "/a/*.*"}));
}

TEST_F(Settings, OnlyYesSwitchesAnOptionOnAndOnlyNoHidesTheAboutBoxInAnyCase) {
    for (const char* value : {"YES", "yes", "Yes", "yEs", "1", "true", "on", "", "yes!"}) {
        Put("Options", "SyncOn", value);
        const bool on = std::string_view(value).size() == 3;
        HeadlessForm& w = Start();
        EXPECT_EQ(w.form.SyncOn, on) << value;
        EXPECT_EQ(CyclesOf(w), on ? 1 : 0) << value;  // run inside the load, before any tick
        EXPECT_EQ(w.desktop.visible, !on) << value;
    }
    // The other flags read alike; a fresh start's Close shows that they are never written.
    Put("Options", "Cutoff", "YES");
    Put("Options", "Erase", "yes");
    Put("Options", "Delete", "1");
    HeadlessForm& flags = Start();
    EXPECT_TRUE(flags.form.UseCutoff && flags.form.EraseOnStart && !flags.form.DeleteOrphans);
    Put("Options", "SyncOn", "No");
    for (const char* value : {"NO", "no", "No", "", "false", "0", "yes"}) {
        Put("Options", "About", value);
        EXPECT_EQ(Start().desktop.aboutShown, std::string_view(value).size() == 2 ? 0 : 1) << value;
    }
}

TEST_F(Settings, TheWakeupIntervalOnLoadAndOnSave) {
    struct Load {
        const char* stored;
        std::int32_t minutes;
    };
    for (Load c : {Load{"", 30}, Load{"0", 30}, Load{"abc", 30}, Load{"45", 45}, Load{"-5", -5},
                   Load{"12abc", 12}}) {
        Put("Options", "Wakeup", c.stored);
        HeadlessForm& w = Start();
        EXPECT_EQ(w.form.WakeupMinutes, c.minutes) << c.stored;
        EXPECT_EQ(w.txtWakeup.text, std::to_string(c.minutes)) << c.stored;
    }
    struct Save {
        const char* typed;
        const char* kept;
    };
    // An entry without a usable number is replaced by the interval in force (45).
    for (Save c : {Save{"0", "45"}, Save{"", "45"}, Save{"abc", "45"}, Save{"0.4", "45"},
                   Save{"99999999999", "45"}, Save{" 2.5", "2"}, Save{"3.5", "4"}, Save{"-7", "-7"},
                   Save{"15 minutes", "15"}}) {
        Put("Options", "Wakeup", "45");
        HeadlessForm& w = Start();
        w.txtWakeup.text = c.typed;
        w.form.btnClose_Click();
        EXPECT_EQ(Get("Options", "Wakeup"), c.kept) << c.typed;
        EXPECT_EQ(w.txtWakeup.text, c.kept) << c.typed;
    }
}

TEST_F(Settings, TheDestinationIsKeptExactlyAsTyped) {
    if (RunningUnderWine())
        GTEST_SKIP() << "Wine's settings-file writer drops the blanks around a value";
    Start().txtSyncTo.text = "  /some/where ";
    window->form.btnClose_Click();
    std::string text = ReadFileText(Ini());
    std::erase(text, '\r');
    EXPECT_NE(text.find("\nSyncTo=  /some/where \n"), std::string::npos) << text;
}

TEST_F(Settings, TerminatingWhileOnResumesSyncingInTheTrayAtTheNextStart) {
    WriteFile(tmp.path() / "src" / "a.txt", "a");
    Put("FileSets", "FileSet1", Narrow(tmp.path() / "src") + std::string(kSepText) + "*.*");
    Put("Options", "SyncTo", tmp.str("mirror"));
    HeadlessForm& first = Start();
    first.form.ToggleSync();
    ASSERT_TRUE(first.form.SyncOn);
    first.form.TerminateProgram();
    EXPECT_TRUE(first.desktop.unloaded);
    EXPECT_EQ(Get("Options", "SyncOn"), "Yes");
    fs::remove_all(tmp.path() / "mirror");
    fs::create_directories(tmp.path() / "mirror");

    window = std::make_unique<HeadlessForm>(Exe());
    HeadlessForm& next = *window;
    bool inTrayAtCycle = false, shownAtCycle = true, timerArmedAtCycle = true;
    next.desktop.AtDoEvents(1, [&] {
        inTrayAtCycle = next.SysTray1.inTray;
        shownAtCycle = next.desktop.visible;
        timerArmedAtCycle = next.Timer1.restarts > 0;
    });
    next.form.Form_Load();
    EXPECT_EQ(CyclesOf(next), 1);  // the cycle ran inside the load, not at a first tick
    EXPECT_TRUE(inTrayAtCycle);
    EXPECT_FALSE(shownAtCycle || timerArmedAtCycle);
    EXPECT_FALSE(fs::is_empty(tmp.path() / "mirror"));
    EXPECT_EQ(next.desktop.timesShown + next.desktop.aboutShown, 0);
    EXPECT_TRUE(next.form.SyncOn);
    EXPECT_EQ(next.Timer1.interval, 5000);
    EXPECT_FALSE(next.lstSyncFrom.enabled);
}

}  // namespace
