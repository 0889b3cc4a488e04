#include "ui/win32/Win32HelpWindow.h"
#include "ui/win32/Win32Api.h"

#include <richedit.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "ui/AppInfo.h"
#include "ui/win32/Win32Dpi.h"
#include "ui/win32/Win32HelpRtf.h"
#include "ui/win32/Win32Placement.h"
#include "ui/win32/Win32Text.h"
#include "ui/win32/Win32WindowClass.h"

namespace brannock_win32 {
namespace {

std::optional<std::string> ReadWhole(const std::string& path) {
    const std::wstring file = Wide(path);
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// RichEdit 4.1 lives in a system library loaded on first use; without it the text is shown
// plain in an edit control.
bool HaveRichEdit() {
    static const bool loaded = LoadLibraryW(L"msftedit.dll") != nullptr;
    return loaded;
}

std::wstring PlainText(const std::string& markdown) {
    std::wstring text;
    for (wchar_t c : Wide(markdown)) {
        if (c == L'\n')
            text += L"\r\n";
        else if (c != L'\r')
            text += c;
    }
    return text;
}

class HelpWindow {
  public:
    static HelpWindow* Open(HWND owner) {
        if (s_open == nullptr) {
            RegisterOwnedWindowClass(kHelpWindowClass, OwnedWindowProc<HelpWindow>);
            auto* window = new HelpWindow;
            const std::wstring title = Wide(std::string(app::kTitle) + " Help");
            CreateWindowExW(0, kHelpWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), window);
            if (s_open == nullptr)
                return nullptr;  // WM_NCCREATE failed; the object went with it
            s_open->Place(owner);
        }
        return s_open;
    }

    void Show(const std::string& markdown) {
        if (m_rich) {
            const std::string rtf = MarkdownToRtf(markdown, Look());
            SETTEXTEX how{ST_DEFAULT, CP_ACP};
            SendMessageW(m_text, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how),
                         reinterpret_cast<LPARAM>(rtf.c_str()));
        } else {
            SetWindowTextW(m_text, PlainText(markdown).c_str());
        }
        SendMessageW(m_text, EM_SETSEL, 0, 0);
        SendMessageW(m_text, WM_VSCROLL, SB_TOP, 0);
        ShowWindow(m_hwnd, IsIconic(m_hwnd) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(m_hwnd);
        SetFocus(m_text);
    }

  private:
    HelpWindow() = default;

    friend LRESULT CALLBACK OwnedWindowProc<HelpWindow>(HWND, UINT, WPARAM, LPARAM);

    void Attach(HWND hwnd) {
        m_hwnd = hwnd;
        s_open = this;
    }

    // Esc closes the window from the text, which has the focus; nothing else is filtered.
    static LRESULT CALLBACK TextKeys(HWND text, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR) {
        if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
            PostMessageW(GetParent(text), WM_CLOSE, 0, 0);
            return 0;
        }
        if (message == WM_NCDESTROY)
            RemoveWindowSubclass(text, TextKeys, 1);
        return DefSubclassProc(text, message, wParam, lParam);
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_CREATE:
                return OnCreate() ? 0 : -1;
            case WM_SIZE:
                MoveWindow(m_text, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
                SetTextRect();
                return 0;
            case WM_SETFOCUS:
                SetFocus(m_text);
                return 0;
            case WM_KEYDOWN:
                if (wParam == VK_ESCAPE)
                    DestroyWindow(m_hwnd);
                return 0;
            case WM_CLOSE:
                DestroyWindow(m_hwnd);
                return 0;
            case WM_DPICHANGED: {
                const auto* rect = reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(m_hwnd, nullptr, rect->left, rect->top, rect->right - rect->left,
                             rect->bottom - rect->top, SWP_NOZORDER | SWP_NOACTIVATE);
                return 0;
            }
            case WM_NCDESTROY:
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
        m_rich = HaveRichEdit();
        const DWORD style =
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
        m_text = CreateWindowExW(0, m_rich ? MSFTEDIT_CLASS : L"EDIT", L"", style, 0, 0, 0, 0,
                                 m_hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (m_text == nullptr)
            return false;
        m_font = CreateMessageFont(WindowDpi(m_hwnd));
        SendMessageW(m_text, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        // Text that touches the window's edge is hard to read.
        const int margin = AverageCharWidth() * 2;
        SendMessageW(m_text, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                     MAKELONG(margin, margin));
        SetWindowSubclass(m_text, TextKeys, 1, 0);
        return true;
    }

    // Text that touches the window's edge is hard to read.
    void SetTextRect() const {
        RECT r{};
        GetClientRect(m_text, &r);
        const int margin = AverageCharWidth() * 2;
        r.left += margin;
        r.right -= margin;
        r.top += margin / 2;
        if (r.right > r.left)
            SendMessageW(m_text, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
    }

    int AverageCharWidth() const { return brannock_win32::AverageCharWidth(m_hwnd, m_font); }

    // Wide enough for a line of text at a comfortable length, tall enough for a screenful,
    // and never larger than most of the screen.
    void Place(HWND owner) {
        const int line = AverageCharWidth() * 110;
        SizeAndCentreOver(m_hwnd, owner, line, line * 4 / 5);
    }

    RtfLook Look() const {
        RtfLook look;
        LOGFONTW font{};
        GetObjectW(m_font, sizeof font, &font);
        look.face = font.lfFaceName;
        const int dpi = WindowDpi(m_hwnd);
        look.points = std::max(6, MulDiv(std::abs(font.lfHeight), 72, dpi));
        RECT client{};
        GetClientRect(m_text, &client);
        const int usable = client.right - AverageCharWidth() * 4 - GetSystemMetrics(SM_CXVSCROLL);
        look.widthTwips = std::max(2000, MulDiv(usable, 1440, dpi));
        return look;
    }

    static inline HelpWindow* s_open = nullptr;
    HWND m_hwnd = nullptr;
    HWND m_text = nullptr;
    HFONT m_font = nullptr;
    bool m_rich = false;
};

}  // namespace

bool ShowHelpWindow(HWND owner, const std::string& path) {
    const std::optional<std::string> text = ReadWhole(path);
    if (!text)
        return false;
    HelpWindow* window = HelpWindow::Open(owner);
    if (window == nullptr)
        return false;
    window->Show(*text);
    return true;
}

}  // namespace brannock_win32
