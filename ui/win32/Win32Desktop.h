// The desktop around the main window: the message pump, the modal boxes, showing and hiding
// the window, and the tray's pop-up menu.
#pragma once

#include <functional>

#include "ui/controls.h"

namespace brannock_win32 {

class Win32MainWindow;

class Win32Desktop : public IDesktop {
  public:
    explicit Win32Desktop(Win32MainWindow& window) : m_window(window) {}

    // Called as the pop-up menu opens (its check mark), and with the item chosen from it.
    std::function<void()> onMenuOpening;
    std::function<void(int id)> onMenuCommand;

    void DoEvents() override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    void ShowMainWindow() override;
    void HideMainWindow() override;
    bool MainWindowVisible() const override;
    void UnloadMainWindow() override;
    void ShowAboutBox() override;
    void PopupTrayMenu(int flags) override;
    bool ShowHelpFile(const std::string& path) override;
    void ShowActivityLog(const std::string& path) override;
    HWND MainWindowHandle() const override;

  private:
    Win32MainWindow& m_window;
    bool m_unloaded = false;
    bool m_menuOpen = false;
};

}  // namespace brannock_win32
