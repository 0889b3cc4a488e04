#include <memory>
#include <tuple>

#include "tests/engine/FormFixture.h"
#include "tests/support/Wine.h"

namespace {

// Starts of the program from one program folder: each Start() loads a fresh window, as a new
// run of the executable would, over the settings file beside it.
class Settings : public FormFixture {
  protected:
    HeadlessForm& Start() {
        window = std::make_unique<HeadlessForm>(tmp.str("brannock.exe"));
        window->form.Form_Load();
        return *window;
    }
    // The settings file's lines, blank ones left out.
    std::string Lines() const {
        std::string text = ReadFileText(form.IniFile);
        std::erase(text, '\r');
        for (size_t blank; (blank = text.find("\n\n")) != std::string::npos;)
            text.erase(blank, 1);
        return text;
    }

    std::unique_ptr<HeadlessForm> window;
};

// Everything written is meant: the defaults only, and the list's terminator. Then written by
// hand, as a user would: a gap ends the list, duplicates stay, and only the first "=" of a line
// ends its key. A shorter list saved leaves the old keys behind its terminator, where the gap
// hides them.
TEST_F(Settings, AFreshStartWritesTheDefaultsAndAGapEndsTheList) {
    bool shownUnderAbout = false;
    desktop().onAbout = [&] { shownUnderAbout = desktop().visible; };
    form.Form_Load();
    EXPECT_TRUE(shownUnderAbout && form_.SysTray1.inTray);
    EXPECT_FALSE(fs::exists(form.IniFile));  // loading writes nothing but the cleared error record

    form_.txtSyncTo.text = "  /some/where ";  // kept exactly as typed
    form.btnClose_Click();
    EXPECT_FALSE(desktop().visible);
    // Wine's settings-file writer drops the blanks around a value.
    const std::string syncTo = RunningUnderWine() ? "/some/where" : "  /some/where ";
    EXPECT_EQ(Lines(), "[Options]\nSyncOn=No\nAbout=No\nSyncTo=" + syncTo +
                           "\nWakeup=30\n[FileSets]\nFileSet1=\n");

    WriteFile(form.IniFile,
              "[FileSets]\nFileSet1=/a/*.*\nFileSet2=/data/a=b/*.*\nFileSet3=/a/*.*\n"
              "FileSet5=/after/the/gap/*.*\n");
    HeadlessForm& w = Start();
    EXPECT_EQ(w.lstSyncFrom.items, (std::vector<std::string>{"/a/*.*", "/data/a=b/*.*", "/a/*.*"}));
    w.lstSyncFrom.items = {"/new/a/*.*"};
    w.form.btnClose_Click();
    EXPECT_EQ(Lines(),
              "[FileSets]\nFileSet1=/new/a/*.*\nFileSet2=\nFileSet3=/a/*.*\nFileSet5=/"
              "after/the/gap/*.*\n[Options]\nSyncOn=No\nAbout=No\nSyncTo=\nWakeup=30\n");
}

// Yes/no options are read in any case but only as the whole word, the days kept as the
// leading whole number above 0; the interval read is used
// unless it is 0, and one typed is rounded halves to even, an entry without a usable number
// being replaced by the interval in force.
TEST_F(Settings, OptionsAndTheIntervalAsLoadedAndAsSavedOnClose) {
    // The settings file's options, the interval typed, and what is seen loaded and saved.
    using Case = std::tuple<std::string, std::string, std::string>;
    for (const auto& [options, typed, expected] : std::initializer_list<Case>{
             {"SyncOn=yEs\nAbout=nO\nWakeup=abc\nKeepDeleted=abc", "0.4",
              "on 1 hidden 0 --- k0 30 30"},
             {"SyncOn=yes!\nAbout=\nCutoff=YES\nErase=yes\nDelete=1\nWakeup=-5\nKeepDeleted=-5",
              "99999999999", "off 0 shown 1 CE- k0 -5 -5"},
             {"SyncOn=true\nAbout=0\nWakeup=45\nKeepDeleted=45", " 2.5",
              "off 0 shown 1 --- k45 45 2"},
             {"SyncOn=1\nAbout=no\nWakeup=45\nKeepDeleted=7 days", "3.5 minutes",
              "off 0 shown 0 --- k7 45 4"}}) {
        WriteFile(form.IniFile, "[Options]\n" + options + "\n");
        HeadlessForm& w = Start();
        // The first cycle runs inside the load, before any tick.
        std::string seen = std::string(w.form.SyncOn ? "on " : "off ") + std::to_string(Cycles(w)) +
                           (w.desktop.visible ? " shown " : " hidden ") +
                           std::to_string(w.desktop.aboutShown) + " " +
                           (w.form.UseCutoff ? "C" : "-") + (w.form.EraseOnStart ? "E" : "-") +
                           (w.form.DeleteOrphans ? "D " : "- ") + "k" +
                           std::to_string(w.form.KeepDeleted) + " " + w.txtWakeup.text;
        w.txtWakeup.text = typed;
        w.form.btnClose_Click();
        EXPECT_EQ(seen + " " + Saved("Options", "Wakeup"), expected) << options;
        EXPECT_EQ(w.txtWakeup.text, Saved("Options", "Wakeup"));
    }
}

// `n` copies of the character `c`, by default one of three bytes.
std::string Repeat(std::size_t n, const std::string& c = "\xE6\x97\xA5") {
    std::string text;
    for (; n > 0; --n)
        text += c;
    return text;
}

// Values are limited by their characters, not their bytes: a fileset of 112 characters and
// far more bytes comes back whole from a save and a restart, and one of the longest kind,
// each character four bytes long, does too; a longer one is cut after a whole character.
TEST_F(Settings, LongNonAsciiEntriesComeBackWholeAfterACloseAndARestart) {
    const std::string fileset = tmp.str() + kSep + Repeat(40) + kSep + Repeat(40) + kSep + "*.*";
    const std::string syncTo = tmp.str() + kSep + Repeat(180, "\xF0\x9F\x98\x80");  // 4 bytes each
    form.SyncOn = false;
    form_.lstSyncFrom.items = {fileset};
    form_.txtSyncTo.text = syncTo;
    form.btnClose_Click();
    HeadlessForm& w = Start();
    EXPECT_EQ(w.lstSyncFrom.items, std::vector<std::string>{fileset});
    EXPECT_EQ(w.txtSyncTo.text, syncTo);
    w.form.btnClose_Click();
    EXPECT_EQ(Start().lstSyncFrom.items, std::vector<std::string>{fileset});

    // A value written longer than the limit, as by hand, is read cut after its 255th character.
    WriteFile(form.IniFile, "[Options]\nSyncTo=" + Repeat(300) + "\n");
    std::string value;
    EXPECT_EQ(ReadIniString("Options", "SyncTo", "", value, form.IniFile), 255);
    EXPECT_EQ(value, Repeat(255));
}

}  // namespace
