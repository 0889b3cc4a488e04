// The Activity Log window on Win32: the menu items and the click on the tray's notice that open
// it, and the window itself showing the log's lines, following new ones at the bottom and
// closing with Esc.

#include <algorithm>

#include "tests/win32/ShellFixture.h"
#include "ui/win32/Win32ActivityLogWindow.h"
#include "ui/win32/Win32Api.h"

using namespace brannock_win32;

namespace {

class ActivityLogWindowTest : public ShellFixture {
  protected:
    static HWND LogWindow() { return FindWindowW(kActivityLogWindowClass, nullptr); }
    static HWND View() { return GetWindow(LogWindow(), GW_CHILD); }
    static std::string Shown() { return Text(View()); }
    static std::size_t LineCount() { return std::ranges::count(Shown(), '\n') + 1; }
    static SCROLLINFO Bar() {
        SCROLLINFO bar{sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(View(), SB_VERT, &bar);
        return bar;
    }
    // The newest line is in sight, with lines above it scrolled away.
    static bool NewestInSight() {
        const SCROLLINFO bar = Bar();
        return bar.nPos > 0 && bar.nPos + static_cast<int>(bar.nPage) > bar.nMax;
    }
};

// Each way opens the window afresh, with every line of the log and the newest in sight: owned by
// the main window but not modal, and without showing it. Open, it follows new lines at the
// bottom, also when made smaller, and a second request brings the same window forward.
TEST_F(ActivityLogWindowTest, OpensFromBothMenusAndTheNoticeFollowsNewLinesAndClosesWithEsc) {
    StartAndLoad(SavedIni(false));
    SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);  // in the tray, the main window hidden
    // The start's own lines come first.
    const std::size_t n = std::ranges::count(ReadFileText(form().LogFile), '\n');
    for (int i = 1; i <= 300; ++i)
        form().LogEvent("copied", "file " + std::to_string(i) + " \xC3\xBC");
    const std::function<void()> ways[] = {[this] { Command(ids::kFileLog); },
                                          [this] { Command(ids::kPopupLog); },
                                          [this] { TrayEvent(NIN_BALLOONUSERCLICK); }};
    for (std::size_t way = 0; way < std::size(ways); ++way) {
        SCOPED_TRACE(way);
        if (LogWindow() != nullptr) {
            SendMessageW(View(), WM_KEYDOWN, VK_ESCAPE, 0);
            EXPECT_TRUE(WaitFor([] { return LogWindow() == nullptr; }));
        }
        form().LogEvent("ended", "while closed " + std::to_string(way));
        ways[way]();
        ASSERT_TRUE(WaitFor([] { return LogWindow() != nullptr; }));
        EXPECT_TRUE(IsWindowVisible(LogWindow()) && GetWindow(LogWindow(), GW_OWNER) == Window());
        EXPECT_TRUE(IsWindowEnabled(Window()) && !IsWindowVisible(Window()));  // not modal
        EXPECT_EQ(LineCount(), n + 301 + way);
        EXPECT_TRUE(Shown().ends_with(" ended while closed " + std::to_string(way))) << Shown();
        EXPECT_TRUE(NewestInSight());
    }
    EXPECT_NE(Shown().find(" copied file 1 \xC3\xBC\r"), std::string::npos);
    EXPECT_EQ(Text(LogWindow()), "Brannock Activity Log");
    RECT frame{};
    GetWindowRect(LogWindow(), &frame);
    SetWindowPos(LogWindow(), nullptr, 0, 0, frame.right - frame.left,
                 (frame.bottom - frame.top) / 2, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(NewestInSight());

    form().LogEvent("deleted", "the newest");
    EXPECT_TRUE(WaitFor([n] { return LineCount() == n + 304; }));
    EXPECT_TRUE(Shown().ends_with(" deleted the newest")) << Shown();
    EXPECT_TRUE(NewestInSight());
    // Someone reading further up keeps the place.
    SendMessageW(View(), WM_VSCROLL, SB_TOP, 0);
    form().LogEvent("deleted", "one more");
    EXPECT_TRUE(WaitFor([n] { return LineCount() == n + 305; }));
    EXPECT_EQ(Bar().nPos, 0);

    const HWND open = LogWindow();
    Command(ids::kPopupLog);
    EXPECT_EQ(LogWindow(), open);
}

}  // namespace
