#include "ui/win32/Win32Controls.h"

#include <algorithm>
#include "ui/win32/Win32Api.h"

#include "ui/win32/Win32Text.h"

namespace brannock_win32 {

template <class Interface>
void HwndControl<Interface>::SetEnabled(bool enabled) {
    // A disabled control keeping the focus would leave the keyboard dead: hand it on first.
    if (!enabled && GetFocus() == m_hwnd)
        SendMessageW(GetAncestor(m_hwnd, GA_ROOT), WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(m_hwnd, enabled ? TRUE : FALSE);
}

template class HwndControl<ITextBox>;
template class HwndControl<IListBox>;
template class HwndControl<IButton>;
template class HwndControl<IPictureButton>;

std::string Win32TextBox::Text() const {
    const std::string shown = WindowText(m_hwnd);
    return shown == m_shown ? m_written : shown;
}

void Win32TextBox::SetText(const std::string& text) {
    SetWindowTextUtf8(m_hwnd, text);
    m_written = text;
    m_shown = WindowText(m_hwnd);
}

void FitListExtent(HWND list) {
    const HDC dc = GetDC(list);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const std::string text = Win32ListBox(list).List(i);
        const std::wstring wide = Wide(text);
        SIZE extent{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
        widest = std::max<int>(widest, extent.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    // The list draws its entries a few pixels in from the left edge.
    const int margin = widest > 0 ? GetSystemMetrics(SM_CXEDGE) * 3 : 0;
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + margin), 0);
}

std::wstring ListTipAt(HWND list, POINT point, const std::wstring& fallback) {
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    // The high word is set off the entries, below the last one included.
    if (HIWORD(hit) != 0)
        return fallback;
    return Wide(Win32ListBox(list).List(LOWORD(hit)));
}

int Win32ListBox::ListCount() const {
    return static_cast<int>(SendMessageW(m_hwnd, LB_GETCOUNT, 0, 0));
}

std::string Win32ListBox::List(int index) const {
    const LRESULT length = SendMessageW(m_hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(m_hwnd, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return Utf8(text);
}

void Win32ListBox::SetList(int index, const std::string& text) {
    if (index < 0 || index >= ListCount())
        return;
    const int selected = ListIndex();
    SendMessageW(m_hwnd, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(m_hwnd, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(Wide(text).c_str()));
    SetListIndex(selected);
    FitListExtent(m_hwnd);
}

void Win32ListBox::AddItem(const std::string& text) {
    SendMessageW(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    FitListExtent(m_hwnd);
}

void Win32ListBox::RemoveItem(int index) {
    SendMessageW(m_hwnd, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    FitListExtent(m_hwnd);
}

int Win32ListBox::ListIndex() const {
    const LRESULT index = SendMessageW(m_hwnd, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void Win32ListBox::SetListIndex(int index) {
    SendMessageW(m_hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

template <class Interface>
CaptionedButton<Interface>::CaptionedButton(HWND hwnd)
    : HwndControl<Interface>(hwnd), m_caption(WindowText(hwnd)) {}

template <class Interface>
void CaptionedButton<Interface>::SetCaption(const std::string& caption) {
    m_caption = caption;
    SetWindowTextUtf8(this->m_hwnd, caption);
}

template class CaptionedButton<IButton>;
template class CaptionedButton<IPictureButton>;

Win32Picture::~Win32Picture() {
    for (auto& [size, icon] : m_icons)
        DestroyIcon(icon);
}

HICON Win32Picture::Icon(int size) const {
    auto found = m_icons.find(size);
    if (found != m_icons.end())
        return found->second;
    // Loaded at the exact size the caller shows it, so the icon file's own image of that size
    // is used rather than a scaled one.
    auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_id),
                                              IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    m_icons[size] = icon;
    return icon;
}

void Win32Label::SetCaption(const std::string& caption) {
    m_caption = caption;
    SetWindowTextUtf8(m_hwnd, caption);
}

namespace {

TTTOOLINFOW PanelTool(HWND bar, int part) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = bar;
    tool.uId = static_cast<UINT_PTR>(part) + 1;
    SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&tool.rect));
    return tool;
}

}  // namespace

void Win32StatusPanel::SetText(const std::string& text) {
    m_text = text;
    SendMessageW(m_bar, SB_SETTEXTW, static_cast<WPARAM>(m_part),
                 reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

void Win32StatusPanel::SetToolTipText(const std::string& text) {
    m_toolTip = text;
    TTTOOLINFOW tool = PanelTool(m_bar, m_part);
    SendMessageW(m_tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty())
        return;  // no tool, no tip
    std::wstring wide = Wide(text);
    tool.lpszText = wide.data();
    SendMessageW(m_tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

Win32ProgressBar::Win32ProgressBar(HWND hwnd) : m_hwnd(hwnd) {
    SendMessageW(m_hwnd, PBM_SETRANGE32, 0, 100);
}

void Win32ProgressBar::SetValue(int value) {
    m_value = value;
    SendMessageW(m_hwnd, PBM_SETPOS,
                 static_cast<WPARAM>(value < 0     ? 0
                                     : value > 100 ? 100
                                                   : value),
                 0);
}

void Win32ProgressBar::SetVisible(bool visible) {
    ShowWindow(m_hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Timer::SetInterval(int milliseconds) {
    m_interval = milliseconds;
    if (milliseconds > 0)
        SetTimer(m_owner, m_id, static_cast<UINT>(milliseconds), nullptr);
    else
        KillTimer(m_owner, m_id);
}

bool Win32MenuItem::Checked() const {
    return (GetMenuState(m_menu, m_id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void Win32MenuItem::SetChecked(bool checked) {
    CheckMenuItem(m_menu, m_id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace brannock_win32
