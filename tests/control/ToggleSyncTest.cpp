#include "tests/control/ControlFixture.h"

#include <cctype>
#include <cstdlib>

#include "fileio/FolderIdentity.h"
#include "tests/support/Links.h"

namespace {

using ToggleSync = ControlFixture;

TEST_F(ToggleSync, EachFailedCheckReportsAndLeavesEverythingAsItWas) {
    struct Case {
        bool emptyList;
        std::string syncTo, wakeup, message;
    };
    const Case cases[] = {
        {true, "x", "30", "You must enter at least one Sync From fileset"},
        {true, "   ", "0", "You must enter at least one Sync From fileset"},
        {false, "   ", "30", "You must enter a Sync To directory"},
        {false, "", "0", "You must enter a Sync To directory"},
        {false, SyncTo(), "0", "You must enter a valid wakeup time"},
        {false, SyncTo(), "  ", "You must enter a valid wakeup time"},
        {false, SyncTo(), "abc", "You must enter a valid wakeup time"},
    };
    const auto fileset = form_.lstSyncFrom.items;
    for (const Case& c : cases) {
        form_.lstSyncFrom.items = c.emptyList ? std::vector<std::string>{} : fileset;
        form_.txtSyncTo.text = c.syncTo;
        form_.txtWakeup.text = c.wakeup;
        desktop().boxes.clear();
        form.ToggleSync();
        ASSERT_EQ(desktop().boxes.size(), 1u) << c.message;
        EXPECT_EQ(desktop().boxes[0].prompt, c.message);
        EXPECT_EQ(desktop().boxes[0].style, 16);
        EXPECT_EQ(desktop().boxes[0].title, "Error");
        EXPECT_FALSE(form.SyncOn);
        EXPECT_EQ(Cycles(), 0);
        // Nothing was switched: the status and the tray tip were never written.
        EXPECT_EQ(Status(), "");
        EXPECT_TRUE(form_.SysTray1.tipHistory.empty());
        EXPECT_EQ(form.WakeupMinutes, 30);
    }
}

TEST_F(ToggleSync, WithoutTheEraseOptionSwitchingOnAsksNothingAndClearsTheRecord) {
    WriteFile(Dest("keep.txt"), "stays");
    form.RecordError("old failure");
    form.RecordError("old failure");
    desktop().AtDoEvents(1, [&] {  // during the cycle's copy
        ExpectEditing(false);
        EXPECT_EQ(form_.btnSyncToggle.caption, "Stop Sync");
        EXPECT_EQ(LastError(), "");
        EXPECT_EQ(SavedText("Error", "LastErrorCnt"), "0");
    });
    form.btnSyncToggle_Click();
    EXPECT_TRUE(desktop().boxes.empty());
    EXPECT_TRUE(form.SyncOn);
    EXPECT_EQ(Cycles(), 1);
    EXPECT_TRUE(fs::exists(Dest("keep.txt")));
    EXPECT_TRUE(fs::exists(Mirror(Src("a.txt"))));
    EXPECT_EQ(form_.SysTray1.icon, &form_.btnSyncOn.picture);
    EXPECT_EQ(form_.SysTray1.tip + "|" + Status(), "Sync Ready|Sleeping...");
    EXPECT_EQ(form_.Timer1.interval, 5000);

    form.RecordError("kept when switching off");
    form.btnSyncToggle_Click();  // on: switches off without a question
    EXPECT_TRUE(desktop().boxes.empty());
    ExpectOffState();
    EXPECT_EQ(LastError(), "kept when switching off");
}

TEST_F(ToggleSync, TheEraseQuestionsAndTheirAnswers) {
    form.EraseOnStart = true;
    const fs::path stray = Dest("old/stray.txt");
    const std::string warning =
        "*** WARNING *** This will erase all files in Sync To directory.\n"
        "Are you sure you want to do this?";
    struct Case {
        std::deque<int> answers;
        size_t questions;
        bool erased;
    };
    for (const Case& c :
         {Case{{msgbox::kNo}, 1, false}, Case{{msgbox::kYes, msgbox::kNo}, 2, false},
          Case{{msgbox::kYes, msgbox::kYes}, 2, true}}) {
        WriteFile(stray, "left from before");
        desktop().boxes.clear();
        desktop().msgBoxAnswers = c.answers;
        // The tray item, chosen while the first question waits, must not start a switch-on of
        // its own inside this one.
        int clicks = 0;
        desktop().onMsgBox = [&](const HeadlessDesktop::Box&) {
            if (clicks++ == 0)
                form.ToggleSync();
        };
        const long cycles = Cycles();
        form.ToggleSync();
        EXPECT_EQ(Cycles(), cycles + 1);
        ASSERT_EQ(desktop().boxes.size(), c.questions);
        EXPECT_EQ(desktop().boxes[0].prompt, "Do you wish to erase Sync To directory?");
        EXPECT_EQ(desktop().boxes[0].title, "Erase?");
        EXPECT_EQ(desktop().boxes[0].style, 36);
        if (c.questions == 2) {
            EXPECT_EQ(desktop().boxes[1].prompt, warning);
            EXPECT_EQ(desktop().boxes[1].title, "Erase Sync To Directory?");
            EXPECT_EQ(desktop().boxes[1].style, 292);
        }
        // Switched on either way; only two Yes answers erase, and the folder itself stays.
        EXPECT_TRUE(form.SyncOn);
        EXPECT_EQ(fs::exists(stray), !c.erased);
        EXPECT_EQ(fs::exists(Dest("old")), !c.erased);
        EXPECT_TRUE(fs::exists(Mirror(Src("a.txt"))));
        form.ToggleSync();
        EXPECT_FALSE(form.SyncOn);
    }
}

TEST_F(ToggleSync, AFailedEraseAsksWhetherToSwitchOnAnyway) {
    form.EraseOnStart = true;
    const fs::path locked = Dest("locked.txt");
    WriteFile(locked, "x");
    SetReadOnly(locked);
    for (int last : {msgbox::kNo, msgbox::kYes}) {
        desktop().boxes.clear();
        desktop().msgBoxAnswers = {msgbox::kYes, msgbox::kYes, last};
        form.ToggleSync();
        ASSERT_EQ(desktop().boxes.size(), 3u);
        const auto& box = desktop().boxes[2];
        const std::string reason = "Unable to delete file: " + Narrow(locked) + "  ";
        EXPECT_EQ(box.prompt.rfind("Unable to erase Sync To directory: " + reason, 0), 0u)
            << box.prompt;
        EXPECT_TRUE(box.prompt.ends_with("\nDo you still wish to turn syncing on?"));
        EXPECT_EQ(box.title, "Error");
        EXPECT_EQ(box.style, 292);
        if (last == msgbox::kNo) {
            ExpectOffState();
            EXPECT_EQ(Cycles(), 0);
        } else {
            EXPECT_TRUE(form.SyncOn);
            EXPECT_EQ(Cycles(), 1);
        }
    }
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
}

// Destinations whose erase would take the sources, the program or the user's files with it are
// refused before anything is deleted, with the reason in the failed-erase question.
TEST_F(ToggleSync, RefusedEraseDestinationsKeepEverything) {
    form.EraseOnStart = true;
    WriteFile(Src("deep/inner/b.txt"), "b");
    const fs::path home = tmp.path() / "users" / "home";
    WriteFile(home / "letter.txt", "dear");
#ifdef _WIN32
    const auto setHome = [](const std::string& v) { _putenv_s("USERPROFILE", v.c_str()); };
    const char* savedHome = std::getenv("USERPROFILE");
#else
    const auto setHome = [](const std::string& v) { setenv("HOME", v.c_str(), 1); };
    const char* savedHome = std::getenv("HOME");
#endif
    const std::string saved = savedHome ? savedHome : "";
    setHome(Narrow(home));
    // The erase guard's overlap test is switching on's, which refuses such a Sync To earlier.
    EXPECT_EQ(form.EraseRefusal(Narrow(Src("deep"))),
              "it is, holds or lies inside the Sync From folder " + Narrow(Src()));
    EXPECT_EQ(form.EraseRefusal(Narrow(tmp.path() / "users")),
              "it is or holds your home folder " + Narrow(home));
    EXPECT_EQ(form.EraseRefusal(Narrow(tmp.path().root_path())),
              "it is the root folder of a drive");
    // The test's executable name puts the program folder at the temporary folder.
    const std::string reason = form.EraseRefusal(Narrow(tmp.path()) + std::string(kSepText));
    EXPECT_TRUE(reason.starts_with("it is or holds the program folder ") ||
                reason.starts_with("it is or holds your home folder"))
        << reason;
    EXPECT_EQ(form.EraseRefusal(SyncTo()), "");
    EXPECT_EQ(form.EraseRefusal(Narrow(tmp.path() / "does-not-exist-yet")), "");

    form_.txtSyncTo.text = Narrow(home);
    desktop().msgBoxAnswers = {msgbox::kYes, msgbox::kYes, msgbox::kNo};
    form.ToggleSync();
    setHome(saved);
    ASSERT_EQ(desktop().boxes.size(), 3u);
    EXPECT_EQ(desktop().boxes[2].prompt,
              "Unable to erase Sync To directory: it is or holds your home folder " + Narrow(home) +
                  "\nDo you still wish to turn syncing on?");
    EXPECT_FALSE(form.SyncOn);
    EXPECT_EQ(ReadFileText(Src("deep/inner/b.txt")), "b");
    EXPECT_EQ(ReadFileText(home / "letter.txt"), "dear");
}

// However the two folders are spelled, a fileset and a Sync To directory that overlap on
// disk are refused before anything is copied, deleted or asked.
TEST_F(ToggleSync, OverlappingFilesetAndSyncToAreRefused) {
    form.EraseOnStart = true;
    const std::string sep(kSepText);
    const std::string src = Narrow(Src());
    WriteFile(Src("deep/inner/b.txt"), "b");
    WriteFile(Dest("in/c.txt"), "c");
    struct Case {
        std::string fileset, syncTo;
    };
    std::vector<Case> cases = {
        {Pattern(Src()), src + sep},
        {Pattern(Src()), src + sep + "deep" + sep + "." + sep + "inner"},
        {src + sep + sep + "*.*", src + sep + "deep" + sep + ".."},
        {Pattern(Dest("in")), SyncTo()},
        {src + sep + ".." + sep + "mirror" + sep + "in" + sep + "*.*", SyncTo() + sep + sep},
    };
#ifdef _WIN32
    std::string upper = src;
    for (char& c : upper)
        c = c == '\\' ? '/' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    cases.push_back({Pattern(Src()), upper + "/deep"});
#endif
    if (MakeLink(Src("deep"), tmp.path() / "link-to-deep"))
        cases.push_back({Pattern(Src()), tmp.str("link-to-deep")});
    for (const Case& c : cases) {
        form_.lstSyncFrom.items = {Pattern(tmp.path() / "other"), c.fileset};
        form_.txtSyncTo.text = c.syncTo;
        desktop().boxes.clear();
        form.ToggleSync();
        ASSERT_EQ(desktop().boxes.size(), 1u) << c.fileset << " " << c.syncTo;
        EXPECT_EQ(desktop().boxes[0].prompt, "The Sync From fileset " + c.fileset +
                                                 " and the Sync To directory " + c.syncTo +
                                                 " overlap: one of them lies inside the other");
        EXPECT_EQ(desktop().boxes[0].style, 16);
        EXPECT_EQ(desktop().boxes[0].title, "Error");
        EXPECT_FALSE(form.SyncOn);
        EXPECT_EQ(Cycles(), 0);
    }
    EXPECT_EQ(ReadFileText(Src("deep/inner/b.txt")), "b");
    EXPECT_EQ(ReadFileText(Dest("in/c.txt")), "c");

    // Neighbours that only share the start of their names do not overlap.
    form_.lstSyncFrom.items = {Pattern(tmp.path() / "mirror-2")};
    fs::create_directory(tmp.path() / "mirror-2");
    form_.txtSyncTo.text = SyncTo();
    form.EraseOnStart = false;
    desktop().boxes.clear();
    form.ToggleSync();
    EXPECT_TRUE(desktop().boxes.empty());
    EXPECT_TRUE(form.SyncOn);
}

TEST_F(ToggleSync, ARelativeFilesetIsRefused) {
    form_.lstSyncFrom.items.push_back("src" + std::string(kSepText) + "*.*");
    form.ToggleSync();
    ASSERT_EQ(desktop().boxes.size(), 1u);
    EXPECT_EQ(desktop().boxes[0].prompt, "The Sync From fileset " + form_.lstSyncFrom.items[1] +
                                             " is not a full path. Give it as, for example, " +
                                             folders::FullPathExample());
    EXPECT_EQ(desktop().boxes[0].title, "Error");
    EXPECT_FALSE(form.SyncOn);
}

// A switched-off cycle that is still winding down cannot be joined by a second one.
TEST_F(ToggleSync, SwitchingOnWhileACycleWindsDownIsRefused) {
    WriteFileOfSize(Src("big.bin"), 400000);
    bool clicked = false;
    desktop().WhenDoEvents([&] { return form_.pgrStatus.value > 0 && !clicked; },
                           [&] {
                               clicked = true;
                               form.btnSyncToggle_Click();  // Stop Sync
                               form.btnSyncToggle_Click();  // Start Sync again at once
                           });
    form.ToggleSync();
    ASSERT_TRUE(clicked);
    ASSERT_EQ(desktop().boxes.size(), 1u);
    EXPECT_EQ(desktop().boxes[0].style, msgbox::kInformation);
    EXPECT_NE(desktop().boxes[0].prompt.find("still stopping"), std::string::npos);
    EXPECT_EQ(Cycles(), 1);
    ExpectOffState();
    EXPECT_FALSE(desktop().unloaded);

    form.ToggleSync();  // once the cycle has returned, switching on works again
    EXPECT_TRUE(form.SyncOn);
    EXPECT_EQ(Cycles(), 2);
}

TEST_F(ToggleSync, TheWakeupKeyFilterPassesDigitsAndBackspaceOnly) {
    for (int code = 0; code < 256; ++code) {
        int key = code;
        form.txtWakeup_KeyPress(key);
        const bool passes = code == 8 || (code >= '0' && code <= '9');
        EXPECT_EQ(key, passes ? code : 0) << "code " << code;
    }
}

}  // namespace
