#include "ui/win32/Win32LogView.h"
#include "ui/win32/Win32Api.h"

#include <algorithm>

#include "ui/win32/Win32Text.h"

namespace brannock_win32 {
namespace {

constexpr int kWheelLines = 3;

void Register(WNDPROC proc) {
    static bool done = false;
    if (done)
        return;
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.style = CS_HREDRAW | CS_VREDRAW;
    type.lpfnWndProc = proc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_IBEAM));
    type.lpszClassName = kLogViewClass;
    done = RegisterClassExW(&type) != 0;
}

}  // namespace

LogView* LogView::Create(HWND parent) {
    Register(Thunk);
    auto* view = new LogView;
    CreateWindowExW(WS_EX_CLIENTEDGE, kLogViewClass, L"",
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, 0, 0, 0, 0,
                    parent, nullptr, GetModuleHandleW(nullptr), view);
    // The class answers WM_CREATE with success: once WM_NCCREATE has come, the window exists.
    if (view->m_hwnd == nullptr) {
        delete view;  // WM_NCCREATE never came
        return nullptr;
    }
    return view;
}

LRESULT CALLBACK LogView::Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* view =
            static_cast<LogView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        view->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    auto* view = reinterpret_cast<LogView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (view == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete view;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // No exception may unwind into the system's code that called this procedure.
    try {
        return view->OnMessage(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT LogView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFONT:
            m_font = reinterpret_cast<HFONT>(wParam);
            Measure();
            UpdateBars();
            if (LOWORD(lParam))
                InvalidateRect(m_hwnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(m_font);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(Joined().size());
        case WM_GETTEXT: {
            if (wParam == 0)
                return 0;
            const std::wstring text = Joined();
            const std::size_t n = std::min<std::size_t>(text.size(), wParam - 1);
            std::copy_n(text.data(), n, reinterpret_cast<wchar_t*>(lParam));
            reinterpret_cast<wchar_t*>(lParam)[n] = L'\0';
            return static_cast<LRESULT>(n);
        }
        case WM_SETTEXT:
            return FALSE;  // read-only: only the program's own calls change the lines
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the painting fills every pixel
        case WM_SIZE:
            // A view that showed the newest line goes on showing it, larger or smaller.
            if (m_atEnd)
                ScrollTo(static_cast<long long>(m_lines.size()) - Rows(), m_left);
            else
                ScrollTo(m_top, m_left);
            return 0;
        case WM_VSCROLL:
        case WM_HSCROLL:
            Scroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(m_top - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelLines / WHEEL_DELTA, m_left);
            return 0;
        case WM_LBUTTONDOWN:
            SetFocus(m_hwnd);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            OnKey(wParam);
            return 0;
        default:
            return DefWindowProcW(m_hwnd, message, wParam, lParam);
    }
}

void LogView::Add(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::size_t cut = end;
        if (cut > at && text[cut - 1] == '\r')
            --cut;
        m_lines.push_back(Wide(text.substr(at, cut - at)));
        m_widest = std::max(m_widest, m_lines.back().size());
        at = end + 1;
    }
}

void LogView::SetLines(const std::string& text) {
    m_lines.clear();
    m_widest = 0;
    Add(text);
    m_top = 0;
    m_left = 0;
    ScrollToEnd();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void LogView::Append(const std::string& text) {
    const bool follow = AtEnd();
    Add(text);
    if (follow) {
        ScrollToEnd();
    } else {
        UpdateBars();
    }
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

bool LogView::AtEnd() const {
    return m_top + Rows() >= static_cast<int>(m_lines.size());
}

// The newest line at the bottom, from its start.
void LogView::ScrollToEnd() {
    ScrollTo(static_cast<long long>(m_lines.size()) - Rows(), 0);
}

void LogView::Measure() {
    const HDC dc = GetDC(m_hwnd);
    const HGDIOBJ old = SelectObject(dc, m_font ? m_font : GetStockObject(SYSTEM_FIXED_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    m_lineHeight = std::max<int>(metrics.tmHeight + metrics.tmExternalLeading, 1);
    m_charWidth = std::max<int>(metrics.tmAveCharWidth, 1);
}

// Whole lines in sight.
int LogView::Rows() const {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    return std::max<int>(client.bottom / m_lineHeight, 1);
}

// Whole characters in sight beside the margin.
int LogView::Columns() const {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    return std::max<int>((client.right - m_charWidth) / m_charWidth, 1);
}

void LogView::ScrollTo(long long top, long long left) {
    const long long lastTop = static_cast<long long>(m_lines.size()) - Rows();
    const long long lastLeft = static_cast<long long>(m_widest) - Columns();
    top = std::clamp<long long>(top, 0, std::max<long long>(lastTop, 0));
    left = std::clamp<long long>(left, 0, std::max<long long>(lastLeft, 0));
    if (top != m_top || left != m_left) {
        m_top = static_cast<int>(top);
        m_left = static_cast<int>(left);
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
    m_atEnd = AtEnd();
    UpdateBars();
}

void LogView::Scroll(int bar, WORD how) {
    const bool vertical = bar == SB_VERT;
    const int page = vertical ? Rows() : Columns();
    const int now = vertical ? m_top : m_left;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(m_hwnd, bar, &info);
    long long to = now;
    switch (how) {
        case SB_LINEUP:
            to = now - 1;
            break;
        case SB_LINEDOWN:
            to = now + 1;
            break;
        case SB_PAGEUP:
            to = now - page;
            break;
        case SB_PAGEDOWN:
            to = now + page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            to = info.nTrackPos;
            break;
        case SB_TOP:
            to = 0;
            break;
        case SB_BOTTOM:
            to = static_cast<long long>(vertical ? m_lines.size() : m_widest);
            break;
        default:
            return;
    }
    if (vertical)
        ScrollTo(to, m_left);
    else
        ScrollTo(m_top, to);
}

void LogView::OnKey(WPARAM key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
        case VK_ESCAPE:
            PostMessageW(GetParent(m_hwnd), WM_CLOSE, 0, 0);
            return;
        case VK_UP:
            return Scroll(SB_VERT, SB_LINEUP);
        case VK_DOWN:
            return Scroll(SB_VERT, SB_LINEDOWN);
        case VK_PRIOR:
            return Scroll(SB_VERT, SB_PAGEUP);
        case VK_NEXT:
            return Scroll(SB_VERT, SB_PAGEDOWN);
        case VK_LEFT:
            return Scroll(SB_HORZ, SB_LINEUP);
        case VK_RIGHT:
            return Scroll(SB_HORZ, SB_LINEDOWN);
        case VK_HOME:
            return control ? ScrollTo(0, 0) : Scroll(SB_HORZ, SB_TOP);
        case VK_END:
            return control ? ScrollToEnd() : Scroll(SB_HORZ, SB_BOTTOM);
        default:
            return;
    }
}

void LogView::UpdateBars() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = static_cast<int>(m_lines.size()) - 1;
    info.nPage = static_cast<UINT>(Rows());
    info.nPos = m_top;
    SetScrollInfo(m_hwnd, SB_VERT, &info, TRUE);
    info.nMax = static_cast<int>(m_widest);  // and the margin
    info.nPage = static_cast<UINT>(Columns());
    info.nPos = m_left;
    SetScrollInfo(m_hwnd, SB_HORZ, &info, TRUE);
}

void LogView::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(m_hwnd, &paint);
    RECT client{};
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_WINDOW));
    const HGDIOBJ old = SelectObject(dc, m_font ? m_font : GetStockObject(SYSTEM_FIXED_FONT));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    const int first = m_top + paint.rcPaint.top / m_lineHeight;
    const int last = std::min<int>(static_cast<int>(m_lines.size()) - 1,
                                   m_top + paint.rcPaint.bottom / m_lineHeight);
    for (int i = first; i <= last; ++i) {
        const std::wstring& line = m_lines[static_cast<std::size_t>(i)];
        if (static_cast<std::size_t>(m_left) >= line.size())
            continue;
        const int y = (i - m_top) * m_lineHeight;
        const auto shown = std::min<std::size_t>(line.size() - static_cast<std::size_t>(m_left),
                                                 static_cast<std::size_t>(Columns()) + 1);
        RECT row{m_charWidth / 2, y, client.right, y + m_lineHeight};
        ExtTextOutW(dc, row.left, y, ETO_CLIPPED, &row, line.data() + m_left,
                    static_cast<UINT>(shown), nullptr);
    }
    SelectObject(dc, old);
    EndPaint(m_hwnd, &paint);
}

std::wstring LogView::Joined() const {
    std::wstring text;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            text += L"\r\n";
        text += m_lines[i];
    }
    return text;
}

}  // namespace brannock_win32
