#include "ui/win32/Win32MainWindow.h"
#include "ui/win32/Win32Api.h"

#include "ui/AppInfo.h"
#include "ui/win32/Win32Dpi.h"
#include "ui/win32/Win32Ids.h"
#include "ui/win32/Win32Text.h"

namespace brannock_win32 {
namespace {

constexpr wchar_t kClassName[] = L"BrannockMainWindow";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
// Tab moves through the children, and through the frames' contents, as in a dialog.
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

void RegisterClassOnce(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kClassName, &wc))
        return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
}

std::wstring WithoutAccessKeys(const std::wstring& text) {
    std::wstring plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

int TextWidth(HDC dc, const wchar_t* text) {
    const std::wstring plain = WithoutAccessKeys(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, plain.c_str(), static_cast<int>(plain.size()), &size);
    return size.cx;
}

void Place(HWND hwnd, const RECT& r) {
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Win32MainWindow::Win32MainWindow(const Pictures& pictures) : m_pictures(pictures) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterClassOnce(instance, Proc);
    m_taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    CreateMenus();
    m_hwnd = CreateWindowExW(kExStyle, kClassName, Wide(app::kTitle).c_str(), kStyle, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, m_c.menuBar,
                             instance, this);
    CreateControls();
    CreateStatusBar();
    AddTips();
    ApplyDpi(WindowDpi(m_hwnd));
    const SIZE client = LayOutMain(Measure(), SIZE{0, 0}).defaultClient;
    RECT bar{};
    GetWindowRect(m_c.StatusBar1, &bar);
    const SIZE size = WindowSizeFor(SIZE{client.cx, client.cy + bar.bottom - bar.top}, kStyle,
                                    kExStyle, true, m_dpi);
    SetWindowPos(m_hwnd, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32MainWindow::~Win32MainWindow() {
    if (m_hwnd)
        DestroyWindow(m_hwnd);
    DestroyMenu(m_c.mnu_Popup);
    if (m_font)
        DeleteObject(m_font);
}

LRESULT CALLBACK Win32MainWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Win32MainWindow*>(create->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self)
            self->m_hwnd = nullptr;
    }
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    // No exception may unwind into the system's code that called this procedure.
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        OutputDebugStringW(L"brannock: an exception reached the main window's procedure\n");
        return 0;
    }
}

LRESULT Win32MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == m_taskbarCreated && m_taskbarCreated != 0) {
        if (m_events)
            m_events->OnTaskbarCreated();
        return 0;
    }
    switch (message) {
        case WM_COMMAND:
            if (m_events && (HIWORD(wParam) == BN_CLICKED || lParam == 0))
                m_events->OnCommand(LOWORD(wParam));
            return 0;
        case ids::kTrayCallback:
            // Carried out of the shell's notification before any box or menu opens.
            PostMessageW(m_hwnd, ids::kTrayClick, 0, lParam);
            return 0;
        case ids::kTrayClick:
            if (m_events)
                m_events->OnTrayEvent(lParam);
            return 0;
        case WM_TIMER:
            if (wParam == ids::kTimer1 && m_events)
                m_events->OnTimer();
            return 0;
        case WM_SYSCOMMAND:
            if (OnSysCommand(wParam))
                return 0;
            break;
        case WM_CLOSE:
            // Not from the close box (that comes as SC_CLOSE): the task manager or another
            // program asks the window to go.
            if (m_events)
                m_events->OnCloseRequest(close_reason::kTaskManager);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            OnEndSession(wParam != FALSE, lParam);
            return 0;
        case WM_SIZE:
            LayOut();
            return 0;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETTINGCHANGE:
            ApplyDpi(m_dpi);
            break;
        case WM_NOTIFY: {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            if (info->hdr.hwndFrom == m_c.tips && info->hdr.code == TTN_GETDISPINFOW &&
                info->hdr.idFrom == reinterpret_cast<UINT_PTR>(m_c.lstSyncFrom)) {
                info->lpszText = const_cast<wchar_t*>(ListTip());
                return 0;
            }
            break;
        }
        default:
            break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

bool Win32MainWindow::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != SC_CLOSE)
        return false;
    if (m_events)
        m_events->OnCloseRequest(close_reason::kCloseBox);
    return true;
}

void Win32MainWindow::OnEndSession(bool ending, LPARAM how) {
    // FALSE: the session goes on after all, so nothing is undone and nothing ends.
    if (!ending || !m_events)
        return;
    // The restart manager closing just this program is a close from outside, not a log-off.
    const bool appOnly = (how & ENDSESSION_CLOSEAPP) && !(how & ENDSESSION_LOGOFF);
    if (appOnly)
        m_events->OnCloseRequest(close_reason::kTaskManager);
    else
        m_events->OnEndSession();
}

void Win32MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    ApplyDpi(dpi);
    SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

void Win32MainWindow::OnGetMinMaxInfo(MINMAXINFO& info) const {
    if (!m_font)
        return;
    const SIZE client = LayOutMain(Measure(), SIZE{0, 0}).minClient;
    RECT bar{};
    GetWindowRect(m_c.StatusBar1, &bar);
    const SIZE size = WindowSizeFor(SIZE{client.cx, client.cy + bar.bottom - bar.top}, kStyle,
                                    kExStyle, true, m_dpi);
    info.ptMinTrackSize = POINT{size.cx, size.cy};
}

LRESULT CALLBACK Win32MainWindow::WakeupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR self) {
    try {
        return reinterpret_cast<Win32MainWindow*>(self)->OnWakeupMessage(hwnd, message, wParam,
                                                                         lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT Win32MainWindow::OnWakeupMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE) {
        // Enter and Esc reach the key filter, as typed into the box; Tab still moves on.
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
        if (msg && msg->message == WM_KEYDOWN &&
            (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    if (message == WM_CHAR && m_events) {
        int key = static_cast<int>(wParam);
        m_events->OnWakeupKey(key);
        if (key == 0)
            return 0;  // the filter swallowed the key
        wParam = static_cast<WPARAM>(key);
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, WakeupProc, ids::kWakeupSubclass);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void Win32MainWindow::CreateMenus() {
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, ids::kFileLog, L"&Activity Log...");
    AppendMenuW(file, MF_STRING, ids::kFileExit, L"E&xit");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, ids::kHelpContents, L"&Contents...");
    AppendMenuW(help, MF_STRING, ids::kHelpAbout, L"&About...");
    m_c.menuBar = CreateMenu();
    AppendMenuW(m_c.menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(m_c.menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");

    // The tray's menu: never in the menu bar, only opened from the tray icon.
    m_c.mnu_Popup = CreatePopupMenu();
    AppendMenuW(m_c.mnu_Popup, MF_STRING, ids::kPopupProperties, L"&Properties");
    AppendMenuW(m_c.mnu_Popup, MF_STRING, ids::kPopupLog, L"&Activity Log...");
    AppendMenuW(m_c.mnu_Popup, MF_STRING, ids::kPopupDisabled, L"&Disabled");
    AppendMenuW(m_c.mnu_Popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m_c.mnu_Popup, MF_STRING, ids::kPopupTerminate, L"&Terminate");
}

void Win32MainWindow::ApplyDpi(int dpi) {
    m_dpi = dpi;
    HFONT old = m_font;
    m_font = CreateMessageFont(dpi);
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    SendMessageW(m_c.tips, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    FitListExtent(m_c.lstSyncFrom);
    if (old)
        DeleteObject(old);  // only now that no child uses it any more

    const int small = SmallIconSize(dpi);
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(m_pictures.app.Icon(small)));
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(m_pictures.app.Icon(LargeIconSize(dpi))));
    const Win32Picture* fileset[] = {&m_pictures.add, &m_pictures.modify, &m_pictures.remove,
                                     &m_pictures.up, &m_pictures.down};
    for (std::size_t i = 0; i < m_c.filesetButtons.size(); ++i)
        SendMessageW(m_c.filesetButtons[i], BM_SETIMAGE, IMAGE_ICON,
                     reinterpret_cast<LPARAM>(fileset[i]->Icon(small)));
    SendMessageW(m_c.btnToBrowse, BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(m_pictures.browse.Icon(small)));
    SendMessageW(m_c.btnSyncOn, BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(m_pictures.on.Icon(small)));
    SendMessageW(m_c.btnSyncOff, BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(m_pictures.off.Icon(small)));
    LayOut();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

LayoutMetrics Win32MainWindow::Measure() const {
    LayoutMetrics m;
    m.dpi = m_dpi;
    m.icon = SmallIconSize(m_dpi);
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, m_font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    // The dialog manager's average width: of the 52 letters, rounded.
    const int letters = TextWidth(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m.baseX = (letters / 26 + 1) / 2;
    m.baseY = tm.tmHeight;
    for (const wchar_t* caption : {L"C&lose", L"Start Sync", L"Stop Sync", L"&Terminate Program"})
        m.commandTextWidth = std::max(m.commandTextWidth, TextWidth(dc, caption));
    const std::wstring title = Wide(app::TitleWithVersion());
    for (const wchar_t* text : {L"Wakeup:", L"in minutes", title.c_str()})
        m.wakeupTextWidth = std::max(m.wakeupTextWidth, TextWidth(dc, text));
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    return m;
}

void Win32MainWindow::LayOut() {
    if (!m_font || !m_c.StatusBar1)
        return;
    PlaceStatusBar();
    RECT client{}, bar{};
    GetClientRect(m_hwnd, &client);
    GetWindowRect(m_c.StatusBar1, &bar);
    const SIZE area{client.right, client.bottom - (bar.bottom - bar.top)};
    const MainLayout l = LayOutMain(Measure(), area);
    Place(m_c.Frame2, l.frame2);
    for (std::size_t i = 0; i < l.filesetButtons.size(); ++i)
        Place(m_c.filesetButtons[i], l.filesetButtons[i]);
    Place(m_c.lstSyncFrom, l.list);
    Place(m_c.Frame3, l.frame3);
    Place(m_c.txtWakeup, l.wakeup);
    Place(m_c.Label1, l.label1);
    Place(m_c.lblTitle, l.title);
    Place(m_c.btnClose, l.commands[0]);
    Place(m_c.btnSyncToggle, l.commands[1]);
    Place(m_c.btnTerminate, l.commands[2]);
    Place(m_c.Frame1, l.frame1);
    Place(m_c.txtSyncTo, l.syncTo);
    Place(m_c.btnToBrowse, l.browse);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void Win32MainWindow::PlaceStatusBar() {
    SendMessageW(m_c.StatusBar1, WM_SIZE, 0, 0);
    // Panel 1 is about an inch wide, with the progress bar lying over it.
    const int parts[] = {m_dpi, -1};
    SendMessageW(m_c.StatusBar1, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    RECT panel{};
    SendMessageW(m_c.StatusBar1, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&panel));
    InflateRect(&panel, -1, -1);
    Place(m_c.pgrStatus, panel);
    for (int part = 0; part < 2; ++part) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = m_c.StatusBar1;
        tool.uId = static_cast<UINT_PTR>(part) + 1;
        SendMessageW(m_c.StatusBar1, SB_GETRECT, static_cast<WPARAM>(part),
                     reinterpret_cast<LPARAM>(&tool.rect));
        SendMessageW(m_c.tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace brannock_win32
