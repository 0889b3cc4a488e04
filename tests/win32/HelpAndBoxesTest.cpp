// The help window and the polish of the boxes: what the help file shows and how the window
// goes, long paths in message boxes, the About box of a build without addresses and the
// input box's width.

#include <algorithm>
#include <fstream>
#include <regex>

#include "tests/win32/ShellFixture.h"
#include "ui/headless/HeadlessAbout.h"
#include "ui/win32/ResourceIds.h"
#include "ui/win32/Win32Api.h"
#include "ui/win32/Win32Dialogs.h"
#include "ui/win32/Win32HelpWindow.h"
#include "ui/win32/Win32Placement.h"
#include "ui/win32/Win32Text.h"

using namespace brannock_win32;

namespace {

using HelpAndBoxesTest = ShellFixture;

HWND HelpWindow() {
    return FindWindowW(kHelpWindowClass, nullptr);
}

RECT Frame(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// Centred over the owner as far as the work area lets it be.
void ExpectCentredOver(const RECT& box, HWND owner) {
    const RECT over = Frame(owner), area = WorkAreaOf(owner);
    const int w = box.right - box.left, h = box.bottom - box.top;
    EXPECT_NEAR(box.left,
                std::clamp<int>((over.left + over.right - w) / 2, area.left, area.right - w), 2);
    EXPECT_NEAR(box.top,
                std::clamp<int>((over.top + over.bottom - h) / 2, area.top, area.bottom - h), 2);
}

int Width(HWND hwnd) {
    const RECT r = Frame(hwnd);
    return r.right - r.left;
}

TEST_F(HelpAndBoxesTest, HelpShowsTheFileFormattedInOneWindowThatEscClosesAndOnlyAReadableFile) {
    StartAndLoad(SavedIni(false));
    const std::string path = dir.str("prog") + "\\brannock.hlp";
    auto write = [&](const std::string& text) {
        std::ofstream(dir.path() / "prog" / "brannock.hlp", std::ios::binary) << text;
    };

    EXPECT_FALSE(shell->desktop.ShowHelpFile(path));
    EXPECT_FALSE(shell->desktop.ShowHelpFile(dir.str("prog")));
    EXPECT_EQ(HelpWindow(), nullptr);

    write(
        "# Brannock Help\n\nKeeps a **mirror** of `C:\\Data`,\nline on.\n\n## Menu\n\n"
        "- **Properties** shows\n  the window.\n2. Second \xE2\x86\x92 step\n\n"
        "| Source | Copy |\n|---|---|\n| `a` | b |\n");
    Command(ids::kHelpContents);
    const HWND help = HelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(Text(help), "Brannock Help");
    EXPECT_TRUE(IsWindowVisible(help) && GetWindow(help, GW_OWNER) == Window());
    const HWND view = GetWindow(help, GW_CHILD);
    EXPECT_TRUE(GetWindowLongPtrW(view, GWL_STYLE) & ES_READONLY);
    const std::string shown = Text(view);
    for (const char* part : {"Brannock Help", "Keeps a mirror of C:\\Data, line on.", "Menu",
                             "\xE2\x80\xA2\tProperties shows the window.",
                             "2.\tSecond \xE2\x86\x92 step", "Source", "Copy"})
        EXPECT_NE(shown.find(part), std::string::npos) << part << " in " << shown;
    for (const char* mark : {"#", "**", "`", "|", "---"})
        EXPECT_EQ(shown.find(mark), std::string::npos) << mark << " in " << shown;

    // Opened again, the same window reads the file again.
    write("# Changed\n");
    EXPECT_TRUE(shell->desktop.ShowHelpFile(path));
    EXPECT_EQ(HelpWindow(), help);
    EXPECT_EQ(Text(view).substr(0, 7), "Changed");

    // It fits the screen and stands over the main window.
    const RECT area = WorkAreaOf(help), frame = Frame(help);
    EXPECT_LE(frame.right - frame.left, (area.right - area.left) * 9 / 10);
    EXPECT_LE(frame.bottom - frame.top, (area.bottom - area.top) * 9 / 10);
    ExpectCentredOver(frame, Window());

    SendMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([] { return HelpWindow() == nullptr; }));
    EXPECT_TRUE(IsWindowVisible(Window()));
}

// Where the lines break is the text layout's; here the box breaks a long path at all, and
// keeps every character of it.
TEST_F(HelpAndBoxesTest, AMessageBoxBreaksALongPathKeepingItsText) {
    StartAndLoad(SavedIni(false));
    std::string path = "C:";
    for (int i = 0; i < 12; ++i)
        path += "\\Folder_number_" + std::to_string(i) + "_of_the_mirror";
    const std::string prompt = "Could not copy " + path + "\\report.txt";
    Answer([](const Box& box) { Press(box.hwnd, IDOK); });
    shell->desktop.MsgBox(prompt, MB_OK, "Brannock");
    std::string text = boxes.at(0).text, plain = prompt;
    EXPECT_GE(std::count(text.begin(), text.end(), '\n'), 2) << text;
    for (std::string* t : {&text, &plain})
        std::erase_if(*t, [](char c) { return c == '\n' || c == ' '; });
    EXPECT_EQ(text, plain);
}

// The texts are the form's (checked headless): the box shows them, from the Help menu too;
// links without addresses are left out; it stands over the hidden window; OK and Esc close it.
TEST_F(HelpAndBoxesTest, TheAboutBoxShowsTheFormsTextsAndLeavesOutLinksWithoutAddresses) {
    StartAndLoad(SavedIni(false));
    ShowWindow(Window(), SW_HIDE);
    SetWindowPos(Window(), nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HeadlessAbout model;
    model.form.Form_Load();
    const std::vector<std::string> expected{
        model.window.caption,       model.lblDescription.caption, model.Label1.caption,
        model.Url1.caption,         model.lblEmail.caption,       model.Url2.caption,
        model.lblDisclaimer.caption};
    // With the addresses from the menu, then without them; each box stands over the window.
    std::vector<int> heights;
    for (const bool addresses : {true, false}) {
        Answer([&, addresses](const Box& box) {
            if (addresses) {
                std::vector<std::string> texts{box.caption};  // a link's without its markup
                for (int id : {IDC_ABOUT_DESCRIPTION, IDC_ABOUT_LABEL1, IDC_ABOUT_URL1,
                               IDC_ABOUT_EMAIL, IDC_ABOUT_URL2, IDC_ABOUT_DISCLAIMER})
                    texts.push_back(std::regex_replace(Text(GetDlgItem(box.hwnd, id)),
                                                       std::regex("</?a>"), ""));
                EXPECT_EQ(texts, expected);
            }
            for (int id : {IDC_ABOUT_LABEL1, IDC_ABOUT_URL1, IDC_ABOUT_EMAIL, IDC_ABOUT_URL2})
                EXPECT_EQ(IsWindowVisible(GetDlgItem(box.hwnd, id)) != FALSE, addresses) << id;
            const RECT frame = Frame(box.hwnd);
            heights.push_back(frame.bottom - frame.top);
            ExpectCentredOver(frame, Window());
            Press(box.hwnd, addresses ? IDOK : IDCANCEL);
        });
    }
    Command(ids::kHelpAbout);
    RunAboutBox(Window(), AboutAddresses{});
    ASSERT_EQ(heights.size(), 2u);
    EXPECT_LT(heights[1], heights[0]);
}

TEST_F(HelpAndBoxesTest, TheInputBoxWidensToItsTextUpToMostOfTheScreen) {
    StartAndLoad(SavedIni(false));
    std::vector<int> entry, box;
    for (const std::string& text :
         {std::string("C:\\Data\\*.*"),
          std::string("C:\\Data\\Letters\\2026\\To the bank about the mortgage\\Second reminder"
                      "\\Draft copies\\*.*"),
          std::string(2000, 'W')}) {
        Answer([&](const Box& b) {
            entry.push_back(Width(GetDlgItem(b.hwnd, IDC_INPUT_TEXT)));
            box.push_back(Width(b.hwnd));
            Press(b.hwnd, IDCANCEL);
        });
        shell->desktop.InputBox("Fileset:", "Modify", text);
    }
    ASSERT_EQ(entry.size(), 3u);
    EXPECT_TRUE(entry[1] > entry[0] && box[1] > box[0] && box[2] > box[1]);
    const RECT area = WorkAreaOf(Window());
    EXPECT_LE(box[2], (area.right - area.left) * 4 / 5);
}

}  // namespace
