// The main window and its tray icon: its menus, one coarse look at the layout at two scales, the
// key filter's path through the edit, the tray callback's two layouts and what its clicks and menu
// reach, and how the close box, an outside close and the end of the session reach the form.

#include "tests/win32/ShellFixture.h"
#include "ui/win32/Win32Api.h"
#include "ui/win32/Win32Tray.h"

using namespace brannock_win32;

namespace {

// Every item's text and a '|', a submenu's items after its own, "-" for a separator.
std::string MenuTexts(HMENU menu) {
    std::string texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        texts += (text[0] ? Utf8(text) : "-") + "|";
        if (HMENU sub = GetSubMenu(menu, i))
            texts += MenuTexts(sub);
    }
    return texts;
}

using MainWindowTest = ShellFixture;

// Every shown control but the frames lies inside the client area, and no two overlap. The
// frames only draw lines around their neighbours.
void ExpectTidyLayout(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    std::vector<std::pair<HWND, RECT>> shown;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(c);
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        if (IsWindowVisible(c) && id != ids::kFrame1 && id != ids::kFrame2 && id != ids::kFrame3)
            shown.push_back({c, r});
    }
    EXPECT_EQ(shown.size(), 15u);  // fourteen controls and the status bar
    for (const auto& [a, r] : shown) {
        RECT both{};
        EXPECT_TRUE(IntersectRect(&both, &r, &client) && EqualRect(&both, &r)) << GetDlgCtrlID(a);
        for (const auto& [b, o] : shown)
            EXPECT_TRUE(a == b || !IntersectRect(&both, &r, &o))
                << GetDlgCtrlID(a) << " " << GetDlgCtrlID(b);
    }
}

// The shell spells its menus itself; the form only handles their commands. An entry wider than
// the list scrolls into view, and the list's tip is the entry under the pointer; off the entries
// it says what the list is.
TEST_F(MainWindowTest, MenusLayoutALongFilesetAndTheWakeupFilterAt96And144Dpi) {
    StartAndLoad(SavedIni(false, {"C:\\a\\*.*"}));
    EXPECT_EQ(MenuTexts(GetMenu(Window())),
              "&File|&Activity Log...|E&xit|&Help|&Contents...|&About...|");
    EXPECT_EQ(MenuTexts(shell->window.Controls().mnu_Popup),
              "&Properties|&Activity Log...|&Disabled|-|&Terminate|");
    ExpectTidyLayout(Window());

    HWND list = Item(ids::kSyncFrom);
    const std::string longest = "C:\\Users\\Administrator\\Documents\\" + std::string(120, 'x');
    shell->controls.lstSyncFrom.AddItem(longest);
    RECT client{};
    GetClientRect(list, &client);
    const auto extent = [&] { return SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0); };
    EXPECT_GT(extent(), client.right);
    SendMessageW(list, WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_GT(GetScrollPos(list, SB_HORZ), 0);
    SendMessageW(list, WM_HSCROLL, SB_LEFT, 0);
    RECT second{};
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(Utf8(ListTipAt(list, POINT{5, (second.top + second.bottom) / 2}, L"none")), longest);
    EXPECT_EQ(ListTipAt(list, POINT{5, second.bottom + 20}, L"none"), L"none");
    // The extent follows the entries: without the long one it is back within the list.
    shell->controls.lstSyncFrom.RemoveItem(1);
    EXPECT_LE(extent(), client.right);

    // And the font: the larger one of a higher DPI widens it again.
    shell->controls.lstSyncFrom.SetList(0, longest);
    const LRESULT before = extent();
    RECT frame{};
    GetWindowRect(Window(), &frame);
    RECT suggested{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                   frame.top + (frame.bottom - frame.top) * 3 / 2};
    SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_GT(extent(), before * 5 / 4);
    ExpectTidyLayout(Window());
    // A window made smaller than its contents is laid out at their smallest size still.
    SetWindowPos(Window(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    ExpectTidyLayout(Window());

    // The wake-up box filters typed keys and lets Enter, but not Tab, reach the filter.
    HWND wakeup = Item(ids::kWakeup);
    SetWindowTextW(wakeup, L"");
    for (wchar_t key : {L'1', L'x', L'2', L'\b', L'5'})
        SendMessageW(wakeup, WM_CHAR, key, 1);
    EXPECT_EQ(Text(wakeup), "15");
    for (WPARAM key : {VK_RETURN, VK_TAB}) {
        MSG down{wakeup, WM_KEYDOWN, key, 1, 0, {}};
        const LRESULT code =
            SendMessageW(wakeup, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&down));
        EXPECT_EQ((code & DLGC_WANTMESSAGE) != 0, key == VK_RETURN) << key;
    }
}

TEST_F(MainWindowTest, AnOutsideCloseOrAnEndingSessionEndTheProgramUnsaved) {
    StartAndLoad(SavedIni(false, {Fileset("src")}));
    SendMessageW(Item(ids::kSyncFrom), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"C:\\x\\*.*"));
    SendMessageW(Window(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // the session goes on
    EXPECT_FALSE(form().Unloaded());
    SendMessageW(Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(IniValue("FileSets", "FileSet2"), "");  // nothing saved on this path

    StartAndLoad(SavedIni(false));
    // The session ends while a box waits for an answer: the box goes and so does the program.
    Answer([&](const Box& box) {
        SendMessageW(Window(), WM_ENDSESSION, TRUE, 0);
        EXPECT_TRUE(IsWindow(box.hwnd));
    });
    Command(ids::kHelpAbout);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(IniValue("Options", "About"), "No");  // as written before: nothing saved
}

TEST(TrayCallback, EachLayoutGivesOneClickPerButtonAndKnowsTheNoticeClick) {
    using namespace tray_button;
    // Before version 4 lParam is the mouse message. From version 4 the button-ups are followed
    // by NIN_SELECT and WM_CONTEXTMENU, so only those count, or each click would count twice;
    // its high word is the icon's number. A notice timing out is no click on it.
    const std::tuple<UINT, bool, int> cases[] = {
        {WM_LBUTTONUP, false, kLeft},      {WM_RBUTTONUP, false, kRight},
        {WM_MBUTTONUP, false, kMiddle},    {WM_MOUSEMOVE, false, kNone},
        {NIN_SELECT, true, kLeft},         {NIN_KEYSELECT, true, kLeft},
        {WM_CONTEXTMENU, true, kRight},    {WM_LBUTTONUP, true, kNone},
        {WM_MBUTTONUP, true, kMiddle},     {NIN_BALLOONUSERCLICK, true, kNone},
        {NIN_BALLOONTIMEOUT, true, kNone},
    };
    for (const auto& [event, v4, button] : cases) {
        const LPARAM lParam = MAKELPARAM(event, v4 ? 1 : 0);
        EXPECT_EQ(TrayButton(lParam, v4), button) << event << " " << v4;
        EXPECT_EQ(TrayBalloonClicked(lParam), event == NIN_BALLOONUSERCLICK) << event;
    }
}

// The tip is cut at 127 characters: the paths give way, the failure's cause stays.
TEST(TrayCallback, ALongTipShortensItsPathsAndKeepsTheCause) {
    const std::string dir = "Z:\\work\\" + std::string(60, 'd') + "\\sub";
    const std::string tip = "Sync Disabled\nCopying file " + dir + "\\r.txt to Z:\\mirror\\Z" +
                            dir.substr(2) + "\\r.txt: Unable to open destination file \xE2\x86\x92";
    const std::wstring shown = TrayText(tip, 128);
    EXPECT_LT(shown.size(), 128u);
    EXPECT_TRUE(shown.ends_with(L"\\r.txt: Unable to open destination file \u2192")) << Utf8(shown);
}

// The icon, the tip and what the items do are the form's: here an on start stays in the tray, a
// left click, carried out of the notification first, shows the
// window, and the pop-up menu carries the check mark and reaches the handlers.
TEST_F(MainWindowTest, AnOnStartLivesInTheTrayAndItsClicksAndMenuReachTheForm) {
    StartAndLoad(SavedIni(true, {Fileset("src")}));
    EXPECT_TRUE(!IsWindowVisible(Window()) && shell->controls.SysTray1.intray());
    const bool v4 = shell->controls.SysTray1.Version4();
    TrayEvent(v4 ? NIN_SELECT : WM_LBUTTONUP);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(Window()) != FALSE; }));

    // The check mark is set as the menu opens.
    Command(ids::kPopupDisabled);
    EXPECT_FALSE(form().SyncOn);
    int checked = -1;
    HMENU popup = shell->window.Controls().mnu_Popup;
    WhenTimerRuns(
        [] { return FindWindowW(L"#32768", nullptr) != nullptr; },
        [&] {
            checked = (GetMenuState(popup, ids::kPopupDisabled, MF_BYCOMMAND) & MF_CHECKED) != 0;
            EndMenu();
        });
    TrayEvent(v4 ? WM_CONTEXTMENU : WM_RBUTTONUP);
    EXPECT_TRUE(WaitFor([&] { return checked == 1; }));

    // The close box only hides the window, and Properties shows it again.
    SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(Window()) || form().Unloaded());
    Command(ids::kPopupProperties);
    EXPECT_TRUE(IsWindowVisible(Window()));

    // The taskbar came anew: the icon goes back (a second add of a live icon is refused, so
    // the icon is taken away first as a restarted shell would have lost it).
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = Window();
    data.uID = ids::kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    SendMessageW(Window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &data));

    Command(ids::kPopupTerminate);
    EXPECT_TRUE(form().Unloaded());
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &data));
    EXPECT_EQ(IniValue("Options", "SyncOn"), "No");  // saved by the terminate
}

}  // namespace
