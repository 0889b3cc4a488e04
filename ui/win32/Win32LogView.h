// A read-only view of many lines of text, drawn line by line in a font whose letters are all
// one width: only the lines in sight are drawn, so neither a log of several megabytes nor a
// stream of new lines costs more than the screenful shown. Esc asks the parent to close.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace brannock_win32 {

inline constexpr wchar_t kLogViewClass[] = L"BrannockLogView";

class LogView {
  public:
    // The view as a child of `parent`; it goes with its window. WM_SETFONT sets its font (kept
    // by the caller), WM_GETTEXT gives its lines joined by CR LF.
    static LogView* Create(HWND parent);
    HWND Handle() const { return m_hwnd; }

    // `text`: UTF-8 lines, each ended by a line feed (the last one's may be missing).
    void SetLines(const std::string& text);
    // Adds lines at the bottom; a view that showed the bottom follows them, one scrolled up
    // keeps its place.
    void Append(const std::string& text);
    void ScrollToEnd();
    bool AtEnd() const;

  private:
    LogView() = default;
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Add(const std::string& text);
    void OnPaint();
    void OnKey(WPARAM key);
    void Measure();
    int Rows() const;
    int Columns() const;
    void ScrollTo(long long top, long long left);
    void Scroll(int bar, WORD how);
    void UpdateBars();
    std::wstring Joined() const;

    HWND m_hwnd = nullptr;
    HFONT m_font = nullptr;
    std::vector<std::wstring> m_lines;
    std::size_t m_widest = 0;  // characters in the longest line
    int m_top = 0;             // the first line in sight
    int m_left = 0;            // the first column in sight
    bool m_atEnd = true;       // the last line was in sight after the last scroll
    int m_lineHeight = 16;
    int m_charWidth = 8;
};

}  // namespace brannock_win32
