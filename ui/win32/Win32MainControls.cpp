// The main window's children, created in tab order: the fileset frame with its buttons and
// list, the wake-up column, the command buttons, then the Sync To frame.

#include "ui/win32/Win32Api.h"
#include "ui/win32/Win32Ids.h"
#include "ui/win32/Win32MainWindow.h"

namespace brannock_win32 {
namespace {

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id,
           DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

HWND Frame(HWND parent, const wchar_t* caption, int id) {
    return Child(parent, WC_BUTTONW, caption, BS_GROUPBOX, id);
}

HWND PictureButton(HWND parent, int id, DWORD group = 0) {
    return Child(parent, WC_BUTTONW, L"", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP | group, id);
}

HWND Edit(HWND parent, int id) {
    return Child(parent, WC_EDITW, L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, id,
                 WS_EX_CLIENTEDGE);
}

HWND Label(HWND parent, const wchar_t* text, int id) {
    return Child(parent, WC_STATICW, text, SS_CENTER | SS_NOPREFIX, id);
}

HWND Command(HWND parent, const wchar_t* caption, int id, DWORD group = 0) {
    return Child(parent, WC_BUTTONW, caption, BS_PUSHBUTTON | WS_TABSTOP | group, id);
}

}  // namespace

void Win32MainWindow::CreateControls() {
    HWND w = m_hwnd;
    m_c.Frame2 = Frame(w, L"Sync From:", ids::kFrame2);
    const int fileset[] = {ids::kAddPath, ids::kModifyPath, ids::kDeletePath, ids::kUpPath,
                           ids::kDownPath};
    for (std::size_t i = 0; i < m_c.filesetButtons.size(); ++i)
        m_c.filesetButtons[i] = PictureButton(w, fileset[i], i == 0 ? WS_GROUP : 0);
    m_c.lstSyncFrom =
        Child(w, WC_LISTBOXW, L"",
              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_GROUP,
              ids::kSyncFrom, WS_EX_CLIENTEDGE);

    m_c.Frame3 = Frame(w, L"Wakeup:", ids::kFrame3);
    m_c.txtWakeup = Edit(w, ids::kWakeup);
    SetWindowSubclass(m_c.txtWakeup, WakeupProc, ids::kWakeupSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    m_c.Label1 = Label(w, L"in minutes", ids::kLabel1);
    m_c.lblTitle = Label(w, L"", ids::kTitle);

    m_c.btnClose = Command(w, L"C&lose", ids::kClose, WS_GROUP);
    m_c.btnSyncToggle = Command(w, L"Start Sync", ids::kSyncToggle);
    m_c.btnTerminate = Command(w, L"&Terminate Program", ids::kTerminate);

    m_c.Frame1 = Frame(w, L"Sync To:", ids::kFrame1);
    m_c.txtSyncTo = Edit(w, ids::kSyncTo);
    m_c.btnToBrowse = PictureButton(w, ids::kToBrowse, WS_GROUP);

    // The holders of the tray's two pictures are never shown.
    m_c.btnSyncOn = CreateWindowExW(0, WC_BUTTONW, L"", WS_CHILD | BS_ICON, 0, 0, 0, 0, w, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    m_c.btnSyncOff = CreateWindowExW(0, WC_BUTTONW, L"", WS_CHILD | BS_ICON, 0, 0, 0, 0, w, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
}

void Win32MainWindow::CreateStatusBar() {
    m_c.StatusBar1 = Child(m_hwnd, STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, ids::kStatusBar);
    // Over panel 1, hidden until a file is copied.
    m_c.pgrStatus = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD, 0, 0, 0, 0, m_c.StatusBar1,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kProgress)),
                                    GetModuleHandleW(nullptr), nullptr);
}

void Win32MainWindow::AddTips() {
    m_c.tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    const struct {
        HWND control;
        const wchar_t* tip;
    } tips[] = {{m_c.lstSyncFrom, L"Filesets to sync"},
                {m_c.filesetButtons[0], L"Add Fileset"},
                {m_c.filesetButtons[1], L"Modify Fileset"},
                {m_c.filesetButtons[2], L"Delete Fileset"},
                {m_c.filesetButtons[3], L"Fileset Up"},
                {m_c.filesetButtons[4], L"Fileset Down"},
                {m_c.txtSyncTo, L"To Sync Path"}};
    for (const auto& t : tips) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(t.control);
        tool.lpszText = const_cast<wchar_t*>(t.tip);
        // The list's tip is the whole entry under the pointer, asked for as it shows.
        if (t.control == m_c.lstSyncFrom)
            tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(m_c.tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SetWindowSubclass(m_c.lstSyncFrom, ListProc, ids::kListSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
}

const wchar_t* Win32MainWindow::ListTip() {
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(m_c.lstSyncFrom, &at);
    m_listTip = ListTipAt(m_c.lstSyncFrom, at, L"Filesets to sync");
    return m_listTip.c_str();
}

LRESULT CALLBACK Win32MainWindow::ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    auto* window = reinterpret_cast<Win32MainWindow*>(self);
    if (message == WM_MOUSEMOVE) {
        // Moved onto another entry: the open tip asks for its text again.
        const LRESULT hit = SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lParam);
        const int item = HIWORD(hit) != 0 ? -1 : LOWORD(hit);
        if (item != window->m_tipItem) {
            window->m_tipItem = item;
            SendMessageW(window->m_c.tips, TTM_UPDATE, 0, 0);
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ListProc, ids::kListSubclass);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace brannock_win32
