// The main window: its class, its child controls, menus and tips, laid out by DPI. It does
// nothing on its own: every event goes to the MainWindowEvents that Win32Shell connects.
#pragma once

#include <array>
#include <string>

#include "platform/win32.h"
#include "ui/win32/ResourceIds.h"
#include "ui/win32/Win32Controls.h"
#include "ui/win32/Win32Layout.h"

namespace brannock_win32 {

// Close reasons as the form numbers them.
namespace close_reason {
inline constexpr std::int16_t kCloseBox = 0;
inline constexpr std::int16_t kSessionEnd = 2;
inline constexpr std::int16_t kTaskManager = 3;
}  // namespace close_reason

class MainWindowEvents {
  public:
    virtual ~MainWindowEvents() = default;
    virtual void OnCommand(int id) = 0;
    // The tray icon's callback, as the shell sent it (its lParam).
    virtual void OnTrayEvent(LPARAM event) = 0;
    virtual void OnTimer() = 0;
    virtual void OnCloseRequest(std::int16_t reason) = 0;
    virtual void OnWakeupKey(int& keyAscii) = 0;
    virtual void OnTaskbarCreated() = 0;
    virtual void OnEndSession() = 0;
};

// The window's pictures, each loaded at the sizes it is shown at.
struct Pictures {
    Win32Picture app{"app", IDI_APP};
    Win32Picture on{"on", IDI_SYNC_ON};
    Win32Picture off{"off", IDI_SYNC_OFF};
    Win32Picture add{"add", IDI_ADD};
    Win32Picture modify{"modify", IDI_MODIFY};
    Win32Picture remove{"delete", IDI_DELETE};
    Win32Picture up{"up", IDI_UP};
    Win32Picture down{"down", IDI_DOWN};
    Win32Picture browse{"browse", IDI_BROWSE};
};

// The child windows by their control names.
struct MainHandles {
    HWND Frame2, lstSyncFrom, Frame1, txtSyncTo, btnToBrowse, Frame3, txtWakeup, Label1;
    std::array<HWND, 5> filesetButtons;  // add, modify, delete, up, down
    HWND lblTitle, btnClose, btnSyncToggle, btnTerminate, btnSyncOn, btnSyncOff;
    HWND StatusBar1, pgrStatus, tips;
    HMENU menuBar, mnu_Popup;
};

class Win32MainWindow {
  public:
    explicit Win32MainWindow(const Pictures& pictures);
    ~Win32MainWindow();
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    const MainHandles& Controls() const { return m_c; }
    void SetEvents(MainWindowEvents* events) { m_events = events; }
    int Dpi() const { return m_dpi; }
    HFONT Font() const { return m_font; }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WakeupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    const wchar_t* ListTip();
    LRESULT OnWakeupMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnSysCommand(WPARAM command);
    void OnEndSession(bool ending, LPARAM how);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnGetMinMaxInfo(MINMAXINFO& info) const;

    void CreateControls();
    void CreateStatusBar();
    void CreateMenus();
    void AddTips();
    void ApplyDpi(int dpi);
    LayoutMetrics Measure() const;
    void LayOut();
    void PlaceStatusBar();

    const Pictures& m_pictures;
    HWND m_hwnd = nullptr;
    MainHandles m_c{};
    MainWindowEvents* m_events = nullptr;
    HFONT m_font = nullptr;
    int m_dpi = 96;
    UINT m_taskbarCreated = 0;
    std::wstring m_listTip;  // the list's tip as last asked for
    int m_tipItem = -1;      // the entry under the pointer, -1 for none
};

}  // namespace brannock_win32
