// The form's flows as only the shell can break them: boxes with their styles and answers,
// the input box's texts, the folder picker's owner and clicks arriving in the middle of a copy.

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

// Which check fails first, the questions and their texts are the form's: here the boxes are
// modal to the window, carry their buttons and default, and the edits the user fills in reach
// the checks that pass.
TEST_F(FormFlowTest, SwitchingOnShowsModalBoxesWithTheirDefaultsAndReadsTheFilledInControls) {
    WriteFile(dir.path() / "dest" / "keep.txt", "k");
    std::string ini = SavedIni(false);
    ini.replace(ini.find("[Options]\n"), 10, "[Options]\nErase=Yes\n");
    StartAndLoad(ini);
    bool windowOff = false;
    Answer([&](const Box& box) {
        windowOff = !IsWindowEnabled(Window()) && GetWindow(box.hwnd, GW_OWNER) == Window();
        Press(box.hwnd, IDOK);
    });
    Click(ids::kSyncToggle);
    EXPECT_TRUE(windowOff);
    EXPECT_EQ(boxes.at(0).caption + "|" + boxes[0].text,
              "Error|You must enter at least one Sync From fileset");

    SendMessageW(Item(ids::kSyncFrom), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Wide(Fileset("src")).c_str()));
    SetWindowTextW(Item(ids::kWakeup), L"5");
    std::vector<LRESULT> defaults;
    for (int button : {IDYES, IDNO}) {
        Answer([&, button](const Box& box) {
            for (int id : {IDYES, IDNO}) {
                const LONG style = GetWindowLongW(GetDlgItem(box.hwnd, id), GWL_STYLE);
                if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                    defaults.push_back(id);
            }
            Press(box.hwnd, button);
        });
    }
    Click(ids::kSyncToggle);
    // The second, graver erase question defaults to No; answered No, it switches on unerased.
    EXPECT_EQ(defaults, (std::vector<LRESULT>{IDYES, IDNO}));
    EXPECT_TRUE(form().SyncOn);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "dest" / "keep.txt"));
    EXPECT_FALSE(IsWindowEnabled(Item(ids::kSyncTo)));
    // A timer tick runs the scheduler, which waits for its interval to pass.
    SendMessageW(Window(), WM_TIMER, ids::kTimer1, 0);
    EXPECT_TRUE(form().SyncOn);
    Click(ids::kSyncToggle);
}

// The fileset buttons and the boxes they open reach the form's handlers.
TEST_F(FormFlowTest, TheFilesetButtonsAndTheirBoxesReachTheirHandlers) {
    StartAndLoad(SavedIni(false, {"C:\\a\\*.*", "C:\\b\\*.*"}));
    HWND list = Item(ids::kSyncFrom);
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(ids::kSyncFrom, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    std::string offered;
    const auto modify = [&](const Box& box) {
        offered = Text(GetDlgItem(box.hwnd, IDC_INPUT_TEXT));
        SetDlgItemTextW(box.hwnd, IDC_INPUT_TEXT, L"C:\\a\\*.txt");
        Press(box.hwnd, IDOK);
    };
    const auto press = [](int button) { return [button](const Box& b) { Press(b.hwnd, button); }; };
    const struct {
        int button;
        std::function<void(const Box&)> answer;  // for the box the click opens, if any
        std::vector<std::string> entries;
    } cases[] = {
        {ids::kDownPath, {}, {"C:\\b\\*.*", "C:\\a\\*.*"}},
        {ids::kUpPath, {}, {"C:\\a\\*.*", "C:\\b\\*.*"}},
        {ids::kModifyPath, modify, {"C:\\a\\*.txt", "C:\\b\\*.*"}},
        {ids::kModifyPath, press(IDCANCEL), {"C:\\a\\*.txt", "C:\\b\\*.*"}},
        {ids::kDeletePath, press(IDNO), {"C:\\a\\*.txt", "C:\\b\\*.*"}},
        {ids::kDeletePath, press(IDYES), {"C:\\b\\*.*"}},
        // The system's folder picker, owned by the window; cancelled, it adds nothing.
        {ids::kAddPath,
         [&](const Box& b) {
             EXPECT_EQ(GetWindow(b.hwnd, GW_OWNER), Window());
             Press(b.hwnd, IDCANCEL);
         },
         {"C:\\b\\*.*"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        if (c.answer)
            Answer(c.answer);
        Click(c.button);
        EXPECT_EQ(Entries(list), c.entries);
    }
    EXPECT_EQ(offered, "C:\\a\\*.*");
    EXPECT_EQ(boxes.at(0).caption + "|" + boxes[0].text, "Modify Fileset|Fileset:");
    EXPECT_EQ(boxes.size(), 5u);
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

}  // namespace
