// The form's flows as only the shell can break them: the boxes' owner, defaults and texts, the
// controls and the timer reaching their handlers, clicks in the middle of a copy, the help
// window's rich text and the About box's links. What the form decides is checked headless.

#include <algorithm>

#include "tests/win32/ShellFixture.h"
#include "ui/win32/ResourceIds.h"
#include "ui/win32/Win32Api.h"

#include <commdlg.h>
#include <richedit.h>

#include "ui/win32/Win32Dialogs.h"
#include "ui/win32/Win32HelpWindow.h"
#include "ui/win32/Win32Placement.h"

using namespace brannock_win32;

namespace {

constexpr std::int64_t kBigFile = 64 * 1024 * 1024;

using FormFlowTest = ShellFixture;

// Each link of an About box is at least as wide as its address in its font, the two do not
// overlap, and both keep within the box.
void ExpectLinksShownWhole(HWND box) {
    RECT client{}, previous{};
    GetClientRect(box, &client);
    for (int id : {IDC_ABOUT_URL1, IDC_ABOUT_URL2}) {
        HWND link = GetDlgItem(box, id);
        std::wstring text = Wide(Text(link));
        text = text.substr(3, text.size() - 7);  // inside <a>...</a>
        HDC dc = GetDC(link);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(link, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ReleaseDC(link, dc);
        RECT r{};
        GetWindowRect(link, &r);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_GE(r.right - r.left, extent.cx) << Utf8(text);
        EXPECT_LE(r.right, client.right) << Utf8(text);
        EXPECT_GE(r.left, previous.right) << Utf8(text);
        previous = r;
    }
}

// The character format of the first occurrence of `text` in a rich edit.
CHARFORMAT2W FormatOf(HWND view, const wchar_t* text) {
    FINDTEXTEXW find{{0, -1}, text, {}};
    SendMessageW(view, EM_FINDTEXTEXW, FR_DOWN | FR_MATCHCASE, reinterpret_cast<LPARAM>(&find));
    SendMessageW(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_ITALIC | CFM_FACE;
    SendMessageW(view, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
}

// Which check fails first and the questions are the form's: here the boxes are modal to the
// window and keep their default button, the message box breaks a long path, the edits the user
// fills in reach the checks, and Terminate clicked during the copy ends the program only once
// the cycle has returned.
TEST_F(FormFlowTest, SwitchingOnAsksInModalBoxesAndTerminateInACopyEndsOnceTheCycleReturns) {
    std::string ini = SavedIni(false);
    ini.replace(ini.find("[Options]\n"), 10, "[Options]\nErase=Yes\n");
    WriteFileOfSize(dir.path() / "src" / "big.bin", kBigFile);
    StartAndLoad(ini);
    // Where the lines break is the text layout's; here the box breaks at all and keeps every
    // character.
    std::string path = "C:";
    for (int i = 0; i < 12; ++i)
        path += "\\Folder_number_" + std::to_string(i) + "_of_the_mirror";
    Answer([](const Box& box) { Press(box.hwnd, IDOK); });
    shell->desktop.MsgBox(path, MB_OK, "Brannock");
    std::string text = boxes.back().text;
    EXPECT_GE(std::count(text.begin(), text.end(), '\n'), 2) << text;
    std::erase_if(text, [](char c) { return c == '\n' || c == ' '; });
    EXPECT_EQ(text, path);

    shell->controls.lstSyncFrom.AddItem(Fileset("src"));
    SetWindowTextW(Item(ids::kWakeup), L"5");
    std::vector<int> defaults;
    for (int button : {IDYES, IDNO}) {
        Answer([&, button](const Box& box) {
            EXPECT_TRUE(!IsWindowEnabled(Window()) && GetWindow(box.hwnd, GW_OWNER) == Window());
            for (int id : {IDYES, IDNO})
                if ((GetWindowLongW(GetDlgItem(box.hwnd, id), GWL_STYLE) & BS_TYPEMASK) ==
                    BS_DEFPUSHBUTTON)
                    defaults.push_back(id);
            Press(box.hwnd, button);
        });
    }
    bool unloadedUnderTheCycle = true;  // until Terminate is clicked under the cycle
    WhenTimerRuns([&] { return IsWindowVisible(shell->window.Controls().pgrStatus) != FALSE; },
                  [&] {
                      EXPECT_TRUE(form().SyncOn && !IsWindowEnabled(Item(ids::kSyncTo)));
                      Command(ids::kTerminate);
                      unloadedUnderTheCycle = form().Unloaded();
                      EXPECT_FALSE(IsWindowEnabled(Item(ids::kSyncToggle)));
                  });
    Command(ids::kSyncToggle);  // returns once the cycle has ended
    // The second, graver erase question defaults to No.
    EXPECT_EQ(defaults, (std::vector<int>{IDYES, IDNO}));
    EXPECT_FALSE(unloadedUnderTheCycle);
    EXPECT_TRUE(Ended());
}

// The fileset buttons and the boxes they open reach the form's handlers.
TEST_F(FormFlowTest, TheFilesetButtonsAndTheirBoxesReachTheirHandlers) {
    StartAndLoad(SavedIni(false, {"C:\\a\\*.*", "C:\\b\\*.*"}));
    HWND list = Item(ids::kSyncFrom);
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(ids::kSyncFrom, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    const auto entries = [&] {
        std::vector<std::string> texts;
        for (int i = 0; i < shell->controls.lstSyncFrom.ListCount(); ++i)
            texts.push_back(shell->controls.lstSyncFrom.List(i));
        return texts;
    };
    std::string offered;
    std::vector<int> tabOrder;  // the controls the focus goes to, Tab after Tab
    const auto modify = [&](const Box& box) {
        HWND edit = GetDlgItem(box.hwnd, IDC_INPUT_TEXT);
        offered = Text(edit);
        // The text has the focus, all of it selected, so typing replaces it at once.
        EXPECT_EQ(GetFocus(), edit);
        const LRESULT selected = SendMessageW(edit, EM_GETSEL, 0, 0);
        EXPECT_EQ(HIWORD(selected) - LOWORD(selected), offered.size());
        for (const wchar_t c : std::wstring(L"C:\\a\\*.txt"))
            SendMessageW(GetFocus(), WM_CHAR, c, 0);
        for (int i = 0; i < 3; ++i) {
            tabOrder.push_back(GetDlgCtrlID(GetFocus()));
            MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
            IsDialogMessageW(box.hwnd, &tab);
        }
        Press(box.hwnd, IDOK);
    };
    // Each box, the system's folder picker too, is owned by the window. Cancelled, the picker
    // adds nothing.
    const std::tuple<int, std::function<void(const Box&)>, std::vector<std::string>> cases[] = {
        {ids::kDownPath, {}, {"C:\\b\\*.*", "C:\\a\\*.*"}},
        {ids::kUpPath, {}, {"C:\\a\\*.*", "C:\\b\\*.*"}},
        {ids::kModifyPath, modify, {"C:\\a\\*.txt", "C:\\b\\*.*"}},
        {ids::kDeletePath, [](const Box& b) { Press(b.hwnd, IDYES); }, {"C:\\b\\*.*"}},
        {ids::kAddPath, [](const Box& b) { Press(b.hwnd, IDCANCEL); }, {"C:\\b\\*.*"}},
    };
    for (const auto& [button, answer, expected] : cases) {
        SCOPED_TRACE(button);
        if (answer)
            Answer([&](const Box& box) {
                EXPECT_EQ(GetWindow(box.hwnd, GW_OWNER), Window());
                answer(box);
            });
        Command(button);
        EXPECT_EQ(entries(), expected);
    }
    EXPECT_EQ(offered, "C:\\a\\*.*");
    EXPECT_EQ(tabOrder, (std::vector<int>{IDC_INPUT_TEXT, IDOK, IDCANCEL}));
    EXPECT_EQ(boxes.at(0).caption + "|" + boxes[0].text, "Modify Fileset|Fileset:");
}

TEST_F(FormFlowTest, HelpShowsAFileFormattedInOneWindowAndTheAboutBoxMarksItsLinks) {
    StartAndLoad(SavedIni(false));
    const auto helpWindow = [] { return FindWindowW(kHelpWindowClass, nullptr); };
    const std::filesystem::path file = dir.path() / "prog" / "brannock.hlp";
    EXPECT_FALSE(shell->desktop.ShowHelpFile(dir.str("prog") + "\\brannock.hlp"));
    EXPECT_EQ(helpWindow(), nullptr);

    WriteFile(file,
              "# Brannock Help\n\nKeeps a **mirror** of `C:\\Data`,\nline on.\n\n## Menu\n\n"
              "- **Properties** shows\n  the window.\n2. Second \xE2\x86\x92 step\n\n"
              "| Source | Copy |\n|---|---|\n| `a` | b |\n\nEvery *interval* minutes, 2 * 3.\n\n"
              "    [Options]\n    Delete=Yes\n\n      Cutoff=Yes\n\nAfter.\n");
    Command(ids::kHelpContents);
    const HWND help = helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(Text(help), "Brannock Help");
    EXPECT_TRUE(IsWindowVisible(help) && GetWindow(help, GW_OWNER) == Window());
    const HWND view = GetWindow(help, GW_CHILD);
    // The marks are gone, the settings lines stay apart, as typed, and a lone '*' stays.
    std::string shown = Text(view);  // the paragraphs, one a line
    std::erase(shown, '\n');
    std::replace(shown.begin(), shown.end(), '\r', '\n');
    EXPECT_EQ(shown,
              "Brannock Help\nKeeps a mirror of C:\\Data, line on.\nMenu\n"
              "\xE2\x80\xA2\tProperties shows the window.\n2.\tSecond \xE2\x86\x92 step\n\n"
              "Source\tCopy\t\n\na\tb\t\n\nEvery interval minutes, 2 * 3.\n"
              "[Options]\nDelete=Yes\n\n  Cutoff=Yes\nAfter.");
    // Emphasis is italic, and code and settings are in a fixed-width font.
    EXPECT_TRUE(FormatOf(view, L"interval").dwEffects & CFE_ITALIC);
    EXPECT_FALSE(FormatOf(view, L"Every").dwEffects & CFE_ITALIC);
    const std::wstring fixed = FormatOf(view, L"Delete=Yes").szFaceName;
    EXPECT_EQ(fixed, std::wstring(FormatOf(view, L"C:\\Data").szFaceName));
    EXPECT_NE(fixed, std::wstring(FormatOf(view, L"Every").szFaceName));

    // Opened again, the same window reads the file again.
    WriteFile(file, "# Changed\n");
    Command(ids::kHelpContents);
    EXPECT_EQ(helpWindow(), help);
    EXPECT_EQ(Text(view).substr(0, 7), "Changed");

    SendMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return helpWindow() == nullptr; }));
    EXPECT_TRUE(IsWindowVisible(Window()));

    // The texts are the form's (checked headless): here a link with an address is marked as one
    // and is as wide as its text, a build without addresses leaves the links and their captions
    // out and closes the gap, the box stands centred over the hidden window as far as the work
    // area lets it, "OK" has the focus, so Enter closes the box and opens nothing, and Esc too.
    ShowWindow(Window(), SW_HIDE);
    SetWindowPos(Window(), nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    std::vector<std::string> opened;
    SetLinkOpener([&](const std::string& target) { opened.push_back(target); });
    std::vector<int> heights;
    for (const bool addresses : {true, false}) {
        Answer([&, addresses](const Box& box) {
            for (int id : {IDC_ABOUT_LABEL1, IDC_ABOUT_URL1, IDC_ABOUT_EMAIL, IDC_ABOUT_URL2})
                EXPECT_EQ(IsWindowVisible(GetDlgItem(box.hwnd, id)) != FALSE, addresses) << id;
            EXPECT_EQ(Text(GetDlgItem(box.hwnd, IDC_ABOUT_URL2)).starts_with("<a>"), addresses);
            if (addresses)
                ExpectLinksShownWhole(box.hwnd);
            RECT f{}, o{};
            GetWindowRect(box.hwnd, &f);
            GetWindowRect(Window(), &o);
            const RECT a = WorkAreaOf(Window());
            const int w = f.right - f.left, h = f.bottom - f.top;
            EXPECT_NEAR(f.left, std::clamp<int>((o.left + o.right - w) / 2, a.left, a.right - w),
                        2);
            EXPECT_NEAR(f.top, std::clamp<int>((o.top + o.bottom - h) / 2, a.top, a.bottom - h), 2);
            heights.push_back(h);
            EXPECT_EQ(GetFocus(), GetDlgItem(box.hwnd, IDOK));
            MSG key{GetFocus(), WM_KEYDOWN, WPARAM(addresses ? VK_RETURN : VK_ESCAPE), 0, 0, {}};
            IsDialogMessageW(box.hwnd, &key);
            EXPECT_FALSE(IsWindowVisible(box.hwnd)) << "the key left the box open";
            Press(box.hwnd, IDCANCEL);  // in case it did not
        });
    }
    RunAboutBox(Window(), AboutAddresses{"https://brannock.example.org/a/rather/long/page/",
                                         "developers@brannock.example.org"});
    RunAboutBox(Window(), AboutAddresses{});
    ASSERT_EQ(heights.size(), 2u);
    EXPECT_LT(heights[1], heights[0]);
    EXPECT_TRUE(opened.empty());
    SetLinkOpener([](const std::string&) {});
}

}  // namespace
