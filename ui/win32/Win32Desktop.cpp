#include "ui/win32/Win32Desktop.h"
#include "ui/win32/Win32Api.h"

#include "ui/TextWrap.h"
#include "ui/win32/Win32ActivityLogWindow.h"
#include "ui/win32/Win32Dialogs.h"
#include "ui/win32/Win32Dpi.h"
#include "ui/win32/Win32HelpWindow.h"
#include "ui/win32/Win32MainWindow.h"
#include "ui/win32/Win32MessageLoop.h"
#include "ui/win32/Win32Text.h"

namespace brannock_win32 {
namespace {

// The widest line a message box shows as it is, at 96 dpi. The box would break a longer line
// wherever it is full, inside a path too; lines kept under it break where Wrap put them.
constexpr int kBoxLineWidth = 440;

// The prompt with its long paths broken after a separator, measured in the boxes' font.
std::string BoxText(const std::string& prompt, HWND owner) {
    const int dpi = WindowDpi(owner);
    const HFONT font = CreateMessageFont(dpi);
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    const int most = MulDiv(kBoxLineWidth, dpi, 96);
    std::string text = textwrap::Wrap(prompt, [dc, most](std::string_view line) {
        const std::wstring wide = Wide(std::string(line));
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size.cx <= most;
    });
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return text;
}

}  // namespace

void Win32Desktop::DoEvents() {
    DrainMessages(m_window.Handle());
}

int Win32Desktop::MsgBox(const std::string& prompt, int style, const std::string& title) {
    // The style and answer numbers are the system's own. The owner is the main window, hidden
    // or not, so the form takes no clicks while the box is up; a box asked for from the tray
    // comes to the front.
    HWND owner = m_window.Handle();
    return MessageBoxW(owner, Wide(BoxText(prompt, owner)).c_str(), Wide(title).c_str(),
                       static_cast<UINT>(style) | MB_SETFOREGROUND);
}

std::string Win32Desktop::InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& defaultAnswer) {
    return RunInputBox(m_window.Handle(), prompt, title, defaultAnswer);
}

void Win32Desktop::ShowMainWindow() {
    if (m_unloaded)
        return;
    HWND hwnd = m_window.Handle();
    ShowWindow(hwnd, IsIconic(hwnd) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd);
}

void Win32Desktop::HideMainWindow() {
    ShowWindow(m_window.Handle(), SW_HIDE);
}

bool Win32Desktop::MainWindowVisible() const {
    return IsWindowVisible(m_window.Handle()) != FALSE;
}

void Win32Desktop::UnloadMainWindow() {
    m_unloaded = true;
    ShowWindow(m_window.Handle(), SW_HIDE);
    // Every modal loop (a box, the menu) ends on WM_QUIT and posts it on, so the program ends
    // promptly whatever is open; before the loop runs, start-up sees the window unloaded.
    PostQuitMessage(0);
}

void Win32Desktop::ShowAboutBox() {
    RunAboutBox(m_window.Handle());
}

void Win32Desktop::PopupTrayMenu(int flags) {
    if (m_menuOpen)
        return;  // a second click while the menu is up
    m_menuOpen = true;
    if (onMenuOpening)
        onMenuOpening();
    UINT align = static_cast<UINT>(flags) & (TPM_CENTERALIGN | TPM_RIGHTALIGN);
    if (align == 0 && GetSystemMetrics(SM_MENUDROPALIGNMENT))
        align = TPM_RIGHTALIGN;
    POINT at{};
    GetCursorPos(&at);
    HWND hwnd = m_window.Handle();
    // Without the foreground the menu stays open when the user clicks elsewhere; without the
    // WM_NULL after it, the next pop-up would close at once.
    SetForegroundWindow(hwnd);
    const UINT other = static_cast<UINT>(flags) & ~(TPM_CENTERALIGN | TPM_RIGHTALIGN);
    const int chosen = static_cast<int>(TrackPopupMenuEx(
        m_window.Controls().mnu_Popup, other | align | TPM_RETURNCMD, at.x, at.y, hwnd, nullptr));
    PostMessageW(hwnd, WM_NULL, 0, 0);
    m_menuOpen = false;
    if (chosen != 0 && onMenuCommand)
        onMenuCommand(chosen);
}

bool Win32Desktop::ShowHelpFile(const std::string& path) {
    return ShowHelpWindow(m_window.Handle(), path);
}

HWND Win32Desktop::MainWindowHandle() const {
    return m_window.Handle();
}

void Win32Desktop::ShowActivityLog(const std::string& path) {
    if (m_unloaded)
        return;
    ShowActivityLogWindow(m_window.Handle(), path);
}

}  // namespace brannock_win32
