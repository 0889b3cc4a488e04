#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "tests/engine/FormFixture.h"
#include "tests/support/Wine.h"

namespace {

// Starts of the program from one program folder: each Start() loads a fresh window, as a new
// run of the executable would, over the settings file beside it.
class Settings : public FormFixture {
  protected:
    std::string Exe() const { return tmp.str("brannock.exe"); }
    fs::path Ini() const { return form.IniFile; }
    HeadlessForm& Start() {
        window = std::make_unique<HeadlessForm>(Exe());
        window->form.Form_Load();
        return *window;
    }
    void Put(const char* section, const std::string& key, const std::string& value) {
        WriteIniString(section, key, value, form.IniFile);
    }
    // The settings file's lines, blank ones left out.
    std::string Lines() const {
        std::string text = ReadFileText(Ini());
        std::erase(text, '\r');
        for (size_t blank; (blank = text.find("\n\n")) != std::string::npos;)
            text.erase(blank, 1);
        return text;
    }

    std::unique_ptr<HeadlessForm> window;
};

// Everything written is meant: the defaults only, and the list's terminator.
TEST_F(Settings, AFreshStartThenCloseWritesTheDefaults) {
    window = std::make_unique<HeadlessForm>(Exe());
    HeadlessForm& w = *window;
    bool shownUnderAbout = false;
    w.desktop.onAbout = [&] { shownUnderAbout = w.desktop.visible; };
    w.form.Form_Load();
    EXPECT_TRUE(shownUnderAbout && w.SysTray1.inTray);
    EXPECT_EQ(w.desktop.aboutShown, 1);
    EXPECT_EQ(w.btnSyncToggle.caption + "|" + w.txtWakeup.text, "Start Sync|30");
    EXPECT_FALSE(fs::exists(Ini()));  // loading writes nothing but the cleared error record

    w.txtSyncTo.text = "  /some/where ";  // kept exactly as typed
    w.form.btnClose_Click();
    EXPECT_FALSE(w.desktop.visible);
    // Wine's settings-file writer drops the blanks around a value.
    const std::string syncTo = RunningUnderWine() ? "/some/where" : "  /some/where ";
    EXPECT_EQ(Lines(), "[Options]\nSyncOn=No\nAbout=No\nSyncTo=" + syncTo +
                           "\nWakeup=30\n[FileSets]\nFileSet1=\n");
    EXPECT_EQ(Start().desktop.aboutShown, 0);  // saved once: no About box any more
}

// Written by hand, as a user would: a gap ends the list, duplicates stay, and only the first
// "=" of a line ends its key. A shorter list saved leaves the old keys behind its terminator.
TEST_F(Settings, AGapEndsTheListAndAShorterOneLeavesOldKeysBehindTheTerminator) {
    WriteFile(Ini(),
              "[FileSets]\nFileSet1=/a/*.*\nFileSet2=/data/a=b/*.*\nFileSet3=/a/*.*\n"
              "FileSet5=/after/the/gap/*.*\n");
    HeadlessForm& w = Start();
    EXPECT_EQ(w.lstSyncFrom.items, (std::vector<std::string>{"/a/*.*", "/data/a=b/*.*", "/a/*.*"}));
    w.lstSyncFrom.items = {"/new/a/*.*"};
    w.form.btnClose_Click();
    std::vector<std::string> saved;
    for (int i = 1; i <= 5; ++i)
        saved.push_back(Saved("FileSets", "FileSet" + std::to_string(i)));
    EXPECT_EQ(saved, (std::vector<std::string>{"/new/a/*.*", "", "/a/*.*", "<absent>",
                                               "/after/the/gap/*.*"}));
    EXPECT_EQ(Start().lstSyncFrom.items, std::vector<std::string>{"/new/a/*.*"});
}

TEST_F(Settings, OnlyYesSwitchesAnOptionOnAndOnlyNoHidesTheAboutBoxInAnyCase) {
    for (const char* value : {"YES", "yes", "Yes", "yEs", "1", "true", "on", "", "yes!"}) {
        Put("Options", "SyncOn", value);
        const bool on = std::string_view(value).size() == 3;
        HeadlessForm& w = Start();
        EXPECT_EQ(w.form.SyncOn, on) << value;
        EXPECT_EQ(Cycles(w), on ? 1 : 0) << value;  // run inside the load, before any tick
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
    for (const auto& [stored, minutes] : std::initializer_list<std::pair<const char*, int>>{
             {"", 30}, {"0", 30}, {"abc", 30}, {"45", 45}, {"-5", -5}, {"12abc", 12}}) {
        Put("Options", "Wakeup", stored);
        HeadlessForm& w = Start();
        EXPECT_EQ(w.form.WakeupMinutes, minutes) << stored;
        EXPECT_EQ(w.txtWakeup.text, std::to_string(minutes)) << stored;
    }
    // An entry without a usable number is replaced by the interval in force (45).
    using Typed = std::pair<const char*, const char*>;
    for (const auto& [typed, kept] :
         {Typed{"0", "45"}, Typed{"", "45"}, Typed{"abc", "45"}, Typed{"0.4", "45"},
          Typed{"99999999999", "45"}, Typed{" 2.5", "2"}, Typed{"3.5", "4"}, Typed{"-7", "-7"},
          Typed{"15 minutes", "15"}}) {
        Put("Options", "Wakeup", "45");
        HeadlessForm& w = Start();
        w.txtWakeup.text = typed;
        w.form.btnClose_Click();
        EXPECT_EQ(Saved("Options", "Wakeup"), kept) << typed;
        EXPECT_EQ(w.txtWakeup.text, kept) << typed;
    }
}

}  // namespace
