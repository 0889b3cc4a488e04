#include "tests/control/ControlFixture.h"

#include <cstdlib>
#include <tuple>

#include "fileio/FolderIdentity.h"

namespace {

using ToggleSync = ControlFixture;

// Every refused switch-on reports one error and leaves everything as it was: nothing is asked,
// copied or deleted, and the status and the tray tip are never written. The checks run in
// order, so each row also fails the later checks. Overlapping folders are refused before the
// erase question, as the folders' identities have it (each spelling and link of a folder:
// FolderIdentityTest); a neighbour sharing the start of the mirror's name comes first in the
// list and is never taken for an overlap.
TEST_F(ToggleSync, EachFailedCheckReportsAndLeavesEverythingAsItWas) {
    form.EraseOnStart = true;
    const std::string sep(kSepText), src = Narrow(Src()), relative = "src" + sep + "*.*";
    const std::string other = Pattern(tmp.path() / "mirror-2");
    fs::create_directory(tmp.path() / "mirror-2");
    WriteFile(Src("deep/inner/b.txt"), "b");
    const std::string notFull = "The Sync From fileset " + relative +
                                " is not a full path. Give it as, for example, " +
                                folders::FullPathExample();
    const std::string inner = src + sep + "deep" + sep + "." + sep + "inner" + sep;
    // The filesets, Sync To, the interval, and the message; an empty one stands for the overlap
    // of the last fileset and the Sync To directory.
    using Case = std::tuple<std::vector<std::string>, std::string, std::string, std::string>;
    for (const auto& [filesets, syncTo, wakeup, text] : std::initializer_list<Case>{
             {{}, "   ", "0", "You must enter at least one Sync From fileset"},
             {{other}, "   ", "0", "You must enter a Sync To directory"},
             {{other}, SyncTo(), "abc", "You must enter a valid wakeup time"},
             {{other, relative}, SyncTo(), "30", notFull},
             {{other, src + sep + sep + "*.*"}, src + sep + "deep" + sep + "..", "30", ""},
             {{other, Pattern(Src())}, inner, "30", ""}}) {
        const std::string message = !text.empty()
                                        ? text
                                        : "The Sync From fileset " + filesets.back() +
                                              " and the Sync To directory " + syncTo +
                                              " overlap: one of them lies inside the other";
        SCOPED_TRACE(message);
        form_.lstSyncFrom.items = filesets;
        form_.txtSyncTo.text = syncTo;
        form_.txtWakeup.text = wakeup;
        desktop().boxes.clear();
        form.ToggleSync();
        EXPECT_EQ(Boxes(), std::vector<std::string>{"Error|16|" + message});
        EXPECT_TRUE(!form.SyncOn && Status().empty() && form_.SysTray1.tipHistory.empty());
    }
}

// Switching on asks the erase questions; only two Yes answers erase, and the folder itself
// stays. Destinations whose erase would take the sources, the program or the user's files with
// it are refused before anything is deleted; a refused or failed erase asks whether to switch
// on anyway, with the reason, and only No keeps syncing off. Switching on clears the error
// record and shows the on state, whatever was answered.
TEST_F(ToggleSync, SwitchingOnAsksTheEraseQuestionsAndErasesOnlyWhatItMay) {
    fs::create_directories(Src("deep"));  // a Sync To inside the source
    const fs::path home = tmp.path() / "users" / "home",
                   locked = tmp.path() / "a" / "b" / "locked.txt";
    WriteFile(home / "letter.txt", "dear");
    WriteFile(locked, "x");
    SetReadOnly(locked);
    // The test's executable name puts the program folder at the temporary folder, which the
    // real home folder does not lie in. The erase guard's overlap test is switching on's, which
    // refuses such a Sync To earlier.
    EXPECT_EQ(form.EraseRefusal(Narrow(tmp.path()) + std::string(kSepText)) + "|" +
                  form.EraseRefusal(Narrow(Src("deep"))) + "|" +
                  form.EraseRefusal(Narrow(tmp.path().root_path())),
              "it is or holds the program folder " + folders::FinalPathOf(Narrow(tmp.path())) +
                  "|it is, holds or lies inside the Sync From folder " + Narrow(Src()) +
                  "|it is the root folder of a drive");
#ifdef _WIN32
    const auto setHome = [](const std::string& v) { _putenv_s("USERPROFILE", v.c_str()); };
    const char* savedHome = std::getenv("USERPROFILE");
#else
    const auto setHome = [](const std::string& v) { setenv("HOME", v.c_str(), 1); };
    const char* savedHome = std::getenv("HOME");
#endif
    const std::string saved = savedHome ? savedHome : "";
    setHome(Narrow(home));

    const std::string failed =
        "Unable to delete file: " + Narrow(locked) + "  " + SystemText(ERROR_ACCESS_DENIED);
    const std::string lockedTree = Narrow(tmp.path() / "a"), users = Narrow(tmp.path() / "users");
    const int yes = msgbox::kYes, no = msgbox::kNo;
    // Sync To, the answers (none: the erase option is off), the reason after a failed or
    // refused erase, and whether syncing is on then.
    using Case = std::tuple<std::string, std::deque<int>, std::string, bool>;
    for (const auto& [syncTo, answers, why, on] :
         {Case{SyncTo(), {}, "", true}, Case{SyncTo(), {no}, "", true},
          Case{SyncTo(), {yes, no}, "", true}, Case{SyncTo(), {yes, yes}, "", true},
          Case{lockedTree, {yes, yes, no}, failed, false},
          Case{lockedTree, {yes, yes, yes}, failed, true},
          Case{users, {yes, yes, no}, "it is or holds your home folder " + Narrow(home), false}}) {
        SCOPED_TRACE(syncTo + " " + std::to_string(answers.size()));
        form.EraseOnStart = !answers.empty();
        form_.txtSyncTo.text = syncTo;
        WriteFile(Dest("old/stray.txt"), "left from before");
        desktop().boxes.clear();
        desktop().msgBoxAnswers = answers;
        form.RecordError("old failure");
        // The tray item, chosen while the first question waits, must not start a switch-on of
        // its own inside this one.
        int clicks = 0;
        desktop().onMsgBox = [&](const HeadlessDesktop::Box&) {
            if (clicks++ == 0)
                form.ToggleSync();
        };
        desktop().AtDoEvents(1, [&] {  // during the cycle's copy, the next one when staying off
            ExpectEditing(false);
            EXPECT_EQ(form_.btnSyncToggle.caption + "|" + LastError() + "|" +
                          Saved("Error", "LastErrorCnt"),
                      "Stop Sync||0");
        });
        const long cycles = Cycles();
        const int openBefore = OpenDescriptors();
        form.btnSyncToggle_Click();
        // Every level of the stopped erase closed.
        EXPECT_TRUE(on || OpenDescriptors() == openBefore);
        EXPECT_EQ(Cycles(), cycles + (on ? 1 : 0));
        std::vector<std::string> expected = {
            "Erase?|36|Do you wish to erase Sync To directory?",
            "Erase Sync To Directory?|292|*** WARNING *** This will erase all files in Sync To "
            "directory.\nAre you sure you want to do this?",
            "Error|292|Unable to erase Sync To directory: " + why +
                "\nDo you still wish to turn syncing on?"};
        expected.resize(answers.size());
        EXPECT_EQ(Boxes(), expected);
        const bool erased = syncTo == SyncTo() && answers == std::deque<int>{yes, yes};
        EXPECT_TRUE(fs::exists(Mirror(Src("a.txt"))) && fs::exists(Dest("old")) != erased);
        if (!on) {
            ExpectOffState();
            continue;
        }
        EXPECT_EQ(form_.SysTray1.icon, &form_.btnSyncOn.picture);
        EXPECT_EQ(TipState() + "|" + Status() + "|" + std::to_string(form_.Timer1.interval),
                  "Sync Ready|Sleeping...|5000");
        form.btnSyncToggle_Click();  // off again
    }
    setHome(saved);
    EXPECT_EQ(ReadFileText(home / "letter.txt") + ReadFileText(locked), "dearx");
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(ToggleSync, TheWakeupKeyFilterPassesDigitsAndBackspaceOnly) {
    for (int code = 0; code < 256; ++code) {
        int key = code;
        form.txtWakeup_KeyPress(key);
        EXPECT_EQ(key, code == 8 || (code >= '0' && code <= '9') ? code : 0) << "code " << code;
    }
}

}  // namespace
