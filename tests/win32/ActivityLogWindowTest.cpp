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
    static std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        const std::string text = Text(View());
        for (std::size_t at = 0;;) {
            const std::size_t end = text.find("\r\n", at);
            lines.push_back(text.substr(at, end - at));
            if (end == std::string::npos)
                return lines;
            at = end + 2;
        }
    }
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

TEST_F(ActivityLogWindowTest, TheMenuItemsAndTheTraysNoticeOpenTheWindow) {
    StartAndLoad(SavedIni(true, {Fileset("src")}));  // in the tray, the main window hidden
    form().LogEvent("started", "by the test");
    const struct {
        const char* way;
        std::function<void()> act;
    } ways[] = {
        {"file menu", [this] { Command(ids::kFileLog); }},
        {"tray menu", [this] { Command(ids::kPopupLog); }},
        {"notice", [this] { TrayEvent(NIN_BALLOONUSERCLICK); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        if (LogWindow() != nullptr)
            DestroyWindow(LogWindow());
        way.act();
        ASSERT_TRUE(WaitFor([] { return LogWindow() != nullptr; }));
        EXPECT_TRUE(IsWindowVisible(LogWindow()));
        EXPECT_EQ(GetWindow(LogWindow(), GW_OWNER), Window());
        EXPECT_TRUE(IsWindowEnabled(Window()));  // not modal
        EXPECT_FALSE(IsWindowVisible(Window()));
        EXPECT_EQ(Text(LogWindow()), "Brannock Activity Log");
        EXPECT_TRUE(Lines().back().ends_with(" started by the test")) << Lines().back();
    }
}

TEST_F(ActivityLogWindowTest, ShowsTheLinesAtTheEndFollowsNewOnesAndClosesWithEsc) {
    StartAndLoad(SavedIni(false));
    // The start's own lines come first.
    const std::size_t n = std::ranges::count(ReadFileText(form().LogFile), '\n');
    for (int i = 1; i <= 300; ++i)
        form().LogEvent("copied", "file " + std::to_string(i) + " \xC3\xBC");
    Command(ids::kFileLog);
    ASSERT_NE(LogWindow(), nullptr);
    ASSERT_EQ(Lines().size(), n + 300);
    EXPECT_TRUE(Lines()[n].ends_with(" copied file 1 \xC3\xBC")) << Lines()[n];
    EXPECT_TRUE(NewestInSight());
    // Made smaller, the window goes on showing the newest line.
    RECT frame{};
    GetWindowRect(LogWindow(), &frame);
    SetWindowPos(LogWindow(), nullptr, 0, 0, frame.right - frame.left,
                 (frame.bottom - frame.top) / 2, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(NewestInSight());

    // A new event shows at the bottom, in sight, without being asked for.
    form().LogEvent("deleted", "the newest");
    EXPECT_TRUE(WaitFor([n] { return Lines().size() == n + 301; }));
    EXPECT_TRUE(Lines().back().ends_with(" deleted the newest")) << Lines().back();
    EXPECT_TRUE(NewestInSight());
    // Someone reading further up keeps the place.
    SendMessageW(View(), WM_VSCROLL, SB_TOP, 0);
    form().LogEvent("deleted", "one more");
    EXPECT_TRUE(WaitFor([n] { return Lines().size() == n + 302; }));
    EXPECT_EQ(Bar().nPos, 0);

    // A second request brings the same window forward.
    const HWND first = LogWindow();
    Command(ids::kPopupLog);
    EXPECT_EQ(LogWindow(), first);

    SendMessageW(View(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([] { return LogWindow() == nullptr; }));
    form().LogEvent("ended", "while closed");
    Command(ids::kPopupLog);
    ASSERT_NE(LogWindow(), nullptr);
    EXPECT_EQ(Lines().size(), n + 303);
    EXPECT_TRUE(NewestInSight());
}

}  // namespace
