// The form's flows as only the shell can break them: boxes with their styles and answers,
// the input box's texts, the folder picker's owner, clicks arriving in the middle of a copy
// and the About window's texts.

#include "tests/win32/ShellFixture.h"
#include "ui/win32/ResourceIds.h"
#include "ui/win32/Win32Api.h"
#include "ui/win32/Win32Dialogs.h"
#include "ui/win32/Win32Text.h"

using namespace brannock_win32;

namespace {

constexpr std::int64_t kBigFile = 64 * 1024 * 1024;

using FormFlowTest = ShellFixture;

std::vector<std::string> Entries(HWND list) {
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(Utf8(text));
    }
    return entries;
}

TEST_F(FormFlowTest, AFailedSwitchOnCheckShowsItsBoxAndAPassingOneSwitchesOnAndOff) {
    StartAndLoad(SavedIni(false));
    // The box is modal to the window: the window takes no clicks while it is up.
    bool windowOff = false;
    Answer([&](const Box& box) {
        windowOff = !IsWindowEnabled(Window()) && GetWindow(box.hwnd, GW_OWNER) == Window();
        Press(box.hwnd, IDOK);
    });
    Click(ids::kSyncToggle);
    EXPECT_TRUE(windowOff);
    // Which check fails first, and its message, are the form's: one box shows the shell's part.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "You must enter at least one Sync From fileset");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_FALSE(form().SyncOn);

    SendMessageW(Item(ids::kSyncFrom), LB_RESETCONTENT, 0, 0);
    SendMessageW(Item(ids::kSyncFrom), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Wide(Fileset("src")).c_str()));
    SetWindowTextW(Item(ids::kSyncTo), Wide(dir.str("dest")).c_str());
    SetWindowTextW(Item(ids::kWakeup), L"5");
    Click(ids::kSyncToggle);
    EXPECT_TRUE(form().SyncOn);
    EXPECT_EQ(Text(Item(ids::kSyncToggle)), "Stop Sync");
    EXPECT_FALSE(IsWindowEnabled(Item(ids::kSyncTo)));
    EXPECT_GT(shell->controls.Timer1.Interval(), 0);
    // A timer tick runs the scheduler, which waits for its interval to pass.
    SendMessageW(Window(), WM_TIMER, ids::kTimer1, 0);
    EXPECT_TRUE(form().SyncOn);
    Click(ids::kSyncToggle);
    EXPECT_FALSE(form().SyncOn);
    EXPECT_TRUE(IsWindowEnabled(Item(ids::kSyncTo)));
    EXPECT_EQ(Text(Item(ids::kSyncToggle)), "Start Sync");
}

TEST_F(FormFlowTest, TheEraseQuestionsCarryTheirButtonsAndDefaultAndNoKeepsTheTree) {
    WriteFile(dir.path() / "dest" / "keep.txt", "k");
    std::string ini = SavedIni(false, {Fileset("src")});
    ini.replace(ini.find("[Options]\n"), 10, "[Options]\nErase=Yes\n");
    StartAndLoad(ini);
    std::vector<LRESULT> defaults;
    auto answer = [&](int button) {
        Answer([&, button](const Box& box) {
            for (int id : {IDYES, IDNO}) {
                const LONG style = GetWindowLongW(GetDlgItem(box.hwnd, id), GWL_STYLE);
                if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                    defaults.push_back(id);
            }
            Press(box.hwnd, button);
        });
    };
    answer(IDYES);
    answer(IDNO);
    Click(ids::kSyncToggle);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Erase?");
    EXPECT_EQ(boxes[0].text, "Do you wish to erase Sync To directory?");
    EXPECT_EQ(boxes[1].caption, "Erase Sync To Directory?");
    // The second, graver question defaults to No.
    EXPECT_EQ(defaults, (std::vector<LRESULT>{IDYES, IDNO}));
    EXPECT_TRUE(form().SyncOn);  // switched on without erasing
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "dest" / "keep.txt"));
    Click(ids::kSyncToggle);
}

TEST_F(FormFlowTest, TheFilesetButtonsMoveModifyDeleteAndAskTheFolderPicker) {
    StartAndLoad(SavedIni(false, {"C:\\a\\*.*", "C:\\b\\*.*"}));
    HWND list = Item(ids::kSyncFrom);
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(ids::kSyncFrom, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    Click(ids::kDownPath);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"C:\\b\\*.*", "C:\\a\\*.*"}));
    Click(ids::kUpPath);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"C:\\a\\*.*", "C:\\b\\*.*"}));

    std::string offered;
    Answer([&](const Box& box) {
        offered = Text(GetDlgItem(box.hwnd, IDC_INPUT_TEXT));
        SetDlgItemTextW(box.hwnd, IDC_INPUT_TEXT, L"C:\\a\\*.txt");
        Press(box.hwnd, IDOK);
    });
    Click(ids::kModifyPath);
    EXPECT_EQ(offered, "C:\\a\\*.*");
    EXPECT_EQ(boxes.back().caption, "Modify Fileset");
    EXPECT_EQ(boxes.back().text, "Fileset:");
    AnswerWith(IDCANCEL);
    Click(ids::kModifyPath);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"C:\\a\\*.txt", "C:\\b\\*.*"}));

    AnswerWith(IDNO);
    Click(ids::kDeletePath);
    AnswerWith(IDYES);
    Click(ids::kDeletePath);
    EXPECT_EQ(boxes.back().text, "Are you sure you want to delete: C:\\a\\*.txt");
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"C:\\b\\*.*"}));

    // The system's folder picker, owned by the window; cancelled, it adds nothing.
    HWND owner = nullptr;
    Answer([&](const Box& box) {
        owner = GetWindow(box.hwnd, GW_OWNER);
        Press(box.hwnd, IDCANCEL);
    });
    Click(ids::kAddPath);
    EXPECT_EQ(owner, Window());
    EXPECT_EQ(Entries(list).size(), 1u);
}

TEST_F(FormFlowTest, TerminateDuringACopyEndsTheProgramOnceTheCycleReturns) {
    WriteFileOfSize(dir.path() / "src" / "big.bin", kBigFile);
    StartAndLoad(SavedIni(false, {Fileset("src")}));
    bool clicked = false, unloadedUnderTheCycle = true;
    WhenTimerRuns([&] { return IsWindowVisible(shell->window.Controls().pgrStatus) != FALSE; },
                  [&] {
                      clicked = true;
                      Click(ids::kTerminate);
                      unloadedUnderTheCycle = form().Unloaded();
                      EXPECT_FALSE(IsWindowEnabled(Item(ids::kSyncToggle)));
                  });
    Click(ids::kSyncToggle);  // returns once the cycle has ended
    ASSERT_TRUE(clicked);
    EXPECT_FALSE(unloadedUnderTheCycle);
    EXPECT_TRUE(form().Unloaded());
    EXPECT_FALSE(shell->controls.SysTray1.intray());
}

TEST_F(FormFlowTest, TheAboutBoxShowsItsTextsEachTimeAndOKOrEscCloseIt) {
    StartAndLoad(SavedIni(false));
    std::vector<std::vector<std::string>> seen;
    auto read = [&](int button) {
        Answer([&, button](const Box& box) {
            std::vector<std::string> texts{box.caption};
            for (int id : {IDC_ABOUT_DESCRIPTION, IDC_ABOUT_LABEL1, IDC_ABOUT_URL1, IDC_ABOUT_EMAIL,
                           IDC_ABOUT_URL2, IDC_ABOUT_DISCLAIMER, IDOK})
                texts.push_back(Text(GetDlgItem(box.hwnd, id)));
            seen.push_back(texts);
            Press(box.hwnd, button);
        });
    };
    read(IDOK);
    Command(ids::kHelpAbout);
    read(IDCANCEL);
    Command(ids::kHelpAbout);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], seen[1]);
    const std::vector<std::string>& t = seen[0];
    EXPECT_EQ(t[0], "About Brannock");
    EXPECT_EQ(t[1], "Brannock v1.0.2\nSycronization of files from filesets to a directory");
    EXPECT_NE(t[6].find("\n\nThis software is packaged with no guarantee or warranty.  The use or "
                        "misuse by the user is the sole responsibility of said user.  "),
              std::string::npos);
    EXPECT_EQ(t[7], "OK");
}

}  // namespace
