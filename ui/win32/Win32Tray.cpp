#include "ui/win32/Win32Tray.h"
#include "ui/win32/Win32Api.h"

#include <cwchar>

#include "ui/TextWrap.h"
#include "ui/win32/Win32Controls.h"
#include "ui/win32/Win32Ids.h"
#include "ui/win32/Win32Text.h"

namespace brannock_win32 {

int TrayButton(LPARAM lParam, bool version4) {
    const UINT event = LOWORD(lParam);
    if (version4) {
        switch (event) {
            case NIN_SELECT:
            case NIN_KEYSELECT:
                return tray_button::kLeft;
            case WM_CONTEXTMENU:
                return tray_button::kRight;
            case WM_MBUTTONUP:
                return tray_button::kMiddle;
            default:
                return tray_button::kNone;
        }
    }
    switch (event) {
        case WM_LBUTTONUP:
            return tray_button::kLeft;
        case WM_RBUTTONUP:
            return tray_button::kRight;
        case WM_MBUTTONUP:
            return tray_button::kMiddle;
        default:
            return tray_button::kNone;
    }
}

std::wstring TrayText(const std::string& text, std::size_t units) {
    return Wide(textwrap::Shorten(
        text, [units](std::string_view line) { return Wide(std::string(line)).size() < units; }));
}

bool TrayBalloonClicked(LPARAM lParam) {
    return LOWORD(lParam) == NIN_BALLOONUSERCLICK;
}

namespace {

// `text` in a fixed field of the icon's data, shortened to what the field holds.
template <std::size_t N>
void CopyCut(wchar_t (&field)[N], const std::string& text) {
    std::wcsncpy(field, TrayText(text, N).c_str(), N - 1);
    field[N - 1] = L'\0';
}

NOTIFYICONDATAW IconData(HWND owner) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = ids::kTrayIconId;
    return data;
}

}  // namespace

Win32SysTray::Win32SysTray(HWND owner, const Win32Picture& defaultPicture)
    : m_owner(owner), m_default(defaultPicture) {}

Win32SysTray::~Win32SysTray() {
    Remove();
}

void Win32SysTray::set_intray(bool inTray) {
    m_inTray = inTray;
    if (inTray && !m_shown)
        Add();
    else if (!inTray)
        Remove();
}

void Win32SysTray::set_trayicon(const IPicture& picture) {
    m_picture = &picture;
    Modify();
}

void Win32SysTray::set_traytip(const std::string& tip) {
    m_tip = tip;
    Modify();
}

void Win32SysTray::Readd() {
    m_shown = false;
    if (m_inTray)
        Add();
}

void Win32SysTray::Remove() {
    if (!m_shown)
        return;
    NOTIFYICONDATAW data = IconData(m_owner);
    Shell_NotifyIconW(NIM_DELETE, &data);
    m_shown = false;
}

HICON Win32SysTray::CurrentIcon() const {
    const auto* picture = dynamic_cast<const Win32Picture*>(m_picture);
    const int size = GetSystemMetrics(SM_CXSMICON);
    return (picture ? *picture : m_default).Icon(size);
}

bool Win32SysTray::Add() {
    NOTIFYICONDATAW data = IconData(m_owner);
    // With version 4 the tip shows only while NIF_SHOWTIP comes with every add and modify.
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = ids::kTrayCallback;
    data.hIcon = CurrentIcon();
    CopyCut(data.szTip, m_tip);
    if (!Shell_NotifyIconW(NIM_ADD, &data))
        return false;
    m_shown = true;
    data.uVersion = NOTIFYICON_VERSION_4;
    m_version4 = Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
    return true;
}

void Win32SysTray::Modify() {
    if (!m_inTray)
        return;
    NOTIFYICONDATAW data = IconData(m_owner);
    data.uFlags = NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.hIcon = CurrentIcon();
    CopyCut(data.szTip, m_tip);
    // A refused change means the shell lost the icon (a restarted taskbar): add it again.
    if (!m_shown || !Shell_NotifyIconW(NIM_MODIFY, &data)) {
        m_shown = false;
        Add();
    }
}

void Win32SysTray::ShowBalloon(const std::string& title, const std::string& text) {
    if (!m_shown)
        return;
    NOTIFYICONDATAW data = IconData(m_owner);
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_WARNING;
    CopyCut(data.szInfoTitle, title);
    CopyCut(data.szInfo, text);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

}  // namespace brannock_win32
