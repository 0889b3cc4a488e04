#include "ui/win32/Win32ActivityLogWindow.h"
#include "ui/win32/Win32Api.h"

#include <algorithm>
#include <memory>

#include "ui/AppInfo.h"
#include "ui/LogFollower.h"
#include "ui/win32/Win32Dpi.h"
#include "ui/win32/Win32LogView.h"
#include "ui/win32/Win32Placement.h"
#include "ui/win32/Win32Text.h"
#include "ui/win32/Win32WindowClass.h"

namespace brannock_win32 {
namespace {

constexpr UINT_PTR kPollTimer = 1;

// A font whose letters are all one width, so the columns of the events (time, event word)
// stand under one another, at the size of the desktop's message font.
HFONT CreateLogFont(int dpi) {
    const HFONT message = CreateMessageFont(dpi);
    LOGFONTW font{};
    GetObjectW(message, sizeof font, &font);
    DeleteObject(message);
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    for (const wchar_t* face : {L"Consolas", L"Courier New", L""}) {
        lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
        const HFONT made = CreateFontIndirectW(&font);
        const HDC dc = GetDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, made);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        // The flag, despite its name, marks a font whose letters differ in width.
        if (!(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) || face[0] == L'\0')
            return made;
        DeleteObject(made);
    }
    return nullptr;
}

class ActivityLogWindow {
  public:
    static ActivityLogWindow* Open(HWND owner) {
        if (s_open == nullptr) {
            RegisterOwnedWindowClass(kActivityLogWindowClass, OwnedWindowProc<ActivityLogWindow>);
            auto* window = new ActivityLogWindow;
            const std::wstring title = Wide(std::string(app::kTitle) + " Activity Log");
            CreateWindowExW(0, kActivityLogWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                            nullptr, GetModuleHandleW(nullptr), window);
            if (s_open == nullptr)
                return nullptr;  // WM_NCCREATE failed; the object went with it
            s_open->Place(owner);
        }
        return s_open;
    }

    void Follow(const std::string& path) {
        if (m_follower == nullptr || m_follower->Path() != path) {
            m_follower = std::make_unique<logview::LogFollower>(path);
            Reload();
        } else {
            Poll();
        }
        ShowWindow(m_hwnd, IsIconic(m_hwnd) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(m_hwnd);
        SetFocus(m_view->Handle());
        m_view->ScrollToEnd();
        SetTimer(m_hwnd, kPollTimer, kLogPollMilliseconds, nullptr);
    }

  private:
    ActivityLogWindow() = default;

    friend LRESULT CALLBACK OwnedWindowProc<ActivityLogWindow>(HWND, UINT, WPARAM, LPARAM);

    void Attach(HWND hwnd) {
        m_hwnd = hwnd;
        s_open = this;
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_CREATE:
                return OnCreate() ? 0 : -1;
            case WM_SIZE:
                if (m_view)
                    MoveWindow(m_view->Handle(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
                return 0;
            case WM_SETFOCUS:
                if (m_view)
                    SetFocus(m_view->Handle());
                return 0;
            case WM_TIMER:
                if (wParam == kPollTimer)
                    Poll();
                return 0;
            case WM_CLOSE:
                DestroyWindow(m_hwnd);
                return 0;
            case WM_DPICHANGED: {
                SetFont(LOWORD(wParam));
                const auto* rect = reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(m_hwnd, nullptr, rect->left, rect->top, rect->right - rect->left,
                             rect->bottom - rect->top, SWP_NOZORDER | SWP_NOACTIVATE);
                return 0;
            }
            case WM_NCDESTROY:
                KillTimer(m_hwnd, kPollTimer);
                if (m_font)
                    DeleteObject(m_font);
                SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
                s_open = nullptr;
                delete this;
                return 0;
            default:
                return DefWindowProcW(m_hwnd, message, wParam, lParam);
        }
    }

    bool OnCreate() {
        m_view = LogView::Create(m_hwnd);
        if (m_view == nullptr)
            return false;
        SetFont(WindowDpi(m_hwnd));
        return true;
    }

    void SetFont(int dpi) {
        const HFONT old = m_font;
        m_font = CreateLogFont(dpi);
        SendMessageW(m_view->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
        if (old)
            DeleteObject(old);  // only now that the view no longer uses it
    }

    void Reload() { m_view->SetLines(m_follower->ReadAll()); }

    void Poll() {
        std::string added;
        switch (m_follower->Poll(added)) {
            case logview::LogFollower::Change::kNone:
                return;
            case logview::LogFollower::Change::kBegunAnew:
                return Reload();
            case logview::LogFollower::Change::kAdded:
                return m_view->Append(added);
        }
    }

    int AverageCharWidth() const { return brannock_win32::AverageCharWidth(m_hwnd, m_font); }

    // Wide enough for most events on one line, tall enough for a screenful, and never larger
    // than most of the screen.
    void Place(HWND owner) {
        const int line = AverageCharWidth() * 120;
        SizeAndCentreOver(m_hwnd, owner, line, line * 3 / 5);
    }

    static inline ActivityLogWindow* s_open = nullptr;
    HWND m_hwnd = nullptr;
    LogView* m_view = nullptr;  // a child window: it goes with this one
    HFONT m_font = nullptr;
    std::unique_ptr<logview::LogFollower> m_follower;
};

}  // namespace

void ShowActivityLogWindow(HWND owner, const std::string& path) {
    if (ActivityLogWindow* window = ActivityLogWindow::Open(owner))
        window->Follow(path);
}

}  // namespace brannock_win32
