// The main window itself: its controls, menus and tips, its layout at two scales, the key
// filter's path through the edit, and how the close box, an outside close and the end of the
// session reach the form.

#include "tests/win32/ShellFixture.h"
#include "ui/win32/Win32Api.h"
#include "ui/win32/Win32Text.h"

using namespace brannock_win32;

namespace {

RECT RectIn(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// A frame may hold other controls; any other two controls must not touch.
bool IsFrame(HWND hwnd) {
    const int id = GetDlgCtrlID(hwnd);
    return id == ids::kFrame1 || id == ids::kFrame2 || id == ids::kFrame3;
}

int TextWidthIn(HWND control) {
    std::wstring plain = Wide(Text(control));
    std::erase(plain, L'&');  // the mnemonic's mark is not drawn
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, plain.c_str(), static_cast<int>(plain.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

// Every item's text, a submenu's items after its own, "-" for a separator.
std::vector<std::string> MenuTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        texts.push_back(text[0] ? Utf8(text) : "-");
        if (HMENU sub = GetSubMenu(menu, i)) {
            const auto items = MenuTexts(sub);
            texts.insert(texts.end(), items.begin(), items.end());
        }
    }
    return texts;
}

class MainWindowTest : public ShellFixture {
  protected:
    // Every shown control lies inside the client area, no two overlap unless one is a frame
    // wholly holding the other, and every caption fits its control.
    void ExpectTidyLayout() {
        RECT client{};
        GetClientRect(Window(), &client);
        std::vector<HWND> shown;
        EnumChildWindows(
            Window(),
            [](HWND hwnd, LPARAM list) {
                if (IsWindowVisible(hwnd) && GetParent(hwnd) == GetAncestor(hwnd, GA_ROOT))
                    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&shown));
        EXPECT_EQ(shown.size(), 18u);  // three frames, fourteen controls and the status bar
        for (HWND a : shown) {
            const RECT r = RectIn(Window(), a);
            const int id = GetDlgCtrlID(a);
            EXPECT_TRUE(Inside(r, client) && r.right > r.left) << id;
            for (HWND b : shown) {
                const RECT o = RectIn(Window(), b);
                EXPECT_TRUE(a == b || !Overlap(r, o) ||
                            (IsFrame(b) && !IsFrame(a) && Inside(r, o)) ||
                            (IsFrame(a) && !IsFrame(b) && Inside(o, r)))
                    << id << " " << GetDlgCtrlID(b);
            }
            if (id != ids::kWakeup && id != ids::kSyncTo && id != ids::kStatusBar) {
                EXPECT_LE(TextWidthIn(a) + 4, r.right - r.left) << Text(a);
            }
        }
    }
};

// The captions and the loaded values are the form's: here the window shows them, its menus
// are in order, and the status panel has a tip only while it has a text.
TEST_F(MainWindowTest, AnOffStartShowsTheWindowWithItsMenusAndTips) {
    StartAndLoad(SavedIni(false, {Fileset("src")}));
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(Text(Window()), "Brannock");
    EXPECT_EQ(SendMessageW(Item(ids::kSyncFrom), LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(Text(Item(ids::kSyncTo)), dir.str("dest"));
    EXPECT_FALSE(IsWindowVisible(shell->window.Controls().pgrStatus));

    EXPECT_EQ(MenuTexts(GetMenu(Window())),
              (std::vector<std::string>{"&File", "E&xit", "&Help", "&Contents...", "&About..."}));
    EXPECT_EQ(MenuTexts(shell->window.Controls().mnu_Popup),
              (std::vector<std::string>{"&Properties", "&Disabled", "-", "&Terminate"}));

    HWND tips = shell->window.Controls().tips;
    std::vector<LRESULT> counts;
    for (const char* tip : {"", "Copying C:\\a.txt", ""}) {
        shell->controls.StatusBar1.Panels(2).SetToolTipText(tip);
        counts.push_back(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
    }
    EXPECT_EQ(counts, (std::vector<LRESULT>{7, 8, 7}));
}

TEST_F(MainWindowTest, LayoutStaysTidyAt96And144Dpi) {
    StartAndLoad(SavedIni(false));
    ExpectTidyLayout();
    RECT before{};
    GetWindowRect(Window(), &before);
    const auto fontHeight = [&] {
        LOGFONTW lf{};
        GetObjectW(shell->window.Font(), sizeof lf, &lf);
        return std::abs(lf.lfHeight);
    };
    const LONG fontBefore = fontHeight();
    RECT suggested{before.left, before.top, before.left + (before.right - before.left) * 3 / 2,
                   before.top + (before.bottom - before.top) * 3 / 2};
    SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(shell->window.Dpi(), 144);
    EXPECT_GT(fontHeight(), fontBefore);
    ExpectTidyLayout();
    // A window made smaller than its contents is laid out at their smallest size still.
    SetWindowPos(Window(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    ExpectTidyLayout();
}

TEST_F(MainWindowTest, TheWakeupBoxFiltersTypedKeysAndLetsEnterReachTheFilter) {
    StartAndLoad(SavedIni(false));
    HWND wakeup = Item(ids::kWakeup);
    SetWindowTextW(wakeup, L"");
    for (wchar_t key : {L'1', L'x', L'2', L' ', L'\b', L'5'})
        SendMessageW(wakeup, WM_CHAR, key, 1);
    EXPECT_EQ(Text(wakeup), "15");
    MSG enter{wakeup, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    EXPECT_NE(SendMessageW(wakeup, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                  DLGC_WANTMESSAGE,
              0);
    MSG tab{wakeup, WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_EQ(SendMessageW(wakeup, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) &
                  DLGC_WANTMESSAGE,
              0);
}

TEST_F(MainWindowTest, TheCloseBoxHidesAndAnOutsideCloseOrAnEndingSessionEndUnsaved) {
    StartAndLoad(SavedIni(false, {Fileset("src")}));
    SendMessageW(Item(ids::kSyncFrom), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"C:\\x\\*.*"));
    SendMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_FALSE(form().Unloaded());
    EXPECT_TRUE(shell->controls.SysTray1.intray());

    SendMessageW(Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form().Unloaded());
    EXPECT_FALSE(shell->controls.SysTray1.intray());
    EXPECT_EQ(IniValue("FileSets", "FileSet2"), "");  // nothing saved on this path

    // Only an ending session ends the program, and it ends it even under a box.
    StartAndLoad(SavedIni(false));
    EXPECT_EQ(SendMessageW(Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(Window(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(form().Unloaded());

    // The session ends while a box waits for an answer: the box goes and so does the program.
    bool boxWasUp = false;
    Answer([&](const Box& box) {
        boxWasUp = true;
        SendMessageW(Window(), WM_ENDSESSION, TRUE, 0);
        EXPECT_TRUE(IsWindow(box.hwnd));
    });
    Command(ids::kHelpAbout);
    EXPECT_TRUE(boxWasUp);
    EXPECT_TRUE(form().Unloaded());
    EXPECT_FALSE(shell->controls.SysTray1.intray());
    EXPECT_EQ(IniValue("Options", "About"), "No");  // as written before: nothing saved
}

}  // namespace
