// The tray icon: the callback's two layouts, clicks reaching the form out of the shell's
// notification, the pop-up menu's check mark and items, and the icon coming back with a new
// taskbar.

#include "tests/win32/ShellFixture.h"
#include "ui/win32/Win32Api.h"
#include "ui/win32/Win32Tray.h"

using namespace brannock_win32;

namespace {

using TrayTest = ShellFixture;

TEST(TrayCallback, EachLayoutGivesOneClickPerButton) {
    // Before version 4: lParam is the mouse message.
    EXPECT_EQ(TrayButton(WM_LBUTTONUP, false), tray_button::kLeft);
    EXPECT_EQ(TrayButton(WM_RBUTTONUP, false), tray_button::kRight);
    EXPECT_EQ(TrayButton(WM_MBUTTONUP, false), tray_button::kMiddle);
    EXPECT_EQ(TrayButton(WM_LBUTTONDOWN, false), tray_button::kNone);
    EXPECT_EQ(TrayButton(WM_MOUSEMOVE, false), tray_button::kNone);
    // Version 4: the event in the low word, the icon in the high word; the button-ups are
    // followed by NIN_SELECT and WM_CONTEXTMENU, so only those count, or each click would
    // count twice.
    EXPECT_EQ(TrayButton(MAKELPARAM(NIN_SELECT, 1), true), tray_button::kLeft);
    EXPECT_EQ(TrayButton(MAKELPARAM(NIN_KEYSELECT, 1), true), tray_button::kLeft);
    EXPECT_EQ(TrayButton(MAKELPARAM(WM_CONTEXTMENU, 1), true), tray_button::kRight);
    EXPECT_EQ(TrayButton(MAKELPARAM(WM_LBUTTONUP, 1), true), tray_button::kNone);
    EXPECT_EQ(TrayButton(MAKELPARAM(WM_RBUTTONUP, 1), true), tray_button::kNone);
    EXPECT_EQ(TrayButton(MAKELPARAM(WM_MBUTTONUP, 1), true), tray_button::kMiddle);
}

// The icon, the tip and what the items do are the form's: here an on start stays in the tray, a
// middle click does nothing, a left click, carried out of the notification first, shows the
// window, and the pop-up menu carries the check mark and reaches the handlers.
TEST_F(TrayTest, AnOnStartLivesInTheTrayAndItsClicksAndMenuReachTheForm) {
    StartAndLoad(SavedIni(true, {Fileset("src")}));
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_TRUE(shell->controls.SysTray1.intray());
    const bool v4 = shell->controls.SysTray1.Version4();
    TrayEvent(WM_MBUTTONUP);
    Pump();
    EXPECT_FALSE(IsWindowVisible(Window()));
    TrayEvent(v4 ? NIN_SELECT : WM_LBUTTONUP);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(Window()) != FALSE; }));

    HMENU popup = shell->window.Controls().mnu_Popup;
    auto checkedWhileOpen = [&] {
        int checked = -1;
        WhenTimerRuns([] { return FindWindowW(L"#32768", nullptr) != nullptr; },
                      [&] {
                          checked = (GetMenuState(popup, ids::kPopupDisabled, MF_BYCOMMAND) &
                                     MF_CHECKED) != 0;
                          EndMenu();
                      });
        TrayEvent(v4 ? WM_CONTEXTMENU : WM_RBUTTONUP);
        WaitFor([&] { return checked != -1; });
        return checked;
    };
    EXPECT_EQ(checkedWhileOpen(), 0);  // syncing is on
    Command(ids::kPopupDisabled);
    EXPECT_FALSE(form().SyncOn);
    EXPECT_EQ(checkedWhileOpen(), 1);

    SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
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
