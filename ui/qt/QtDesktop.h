// The desktop around the main window on Qt: the event loop, the modal boxes (always owned by
// the main window, shown or hidden), the window itself, the About box, the tray's pop-up menu,
// the help file and the Activity Log.
#pragma once

#include "ui/controls.h"

namespace brannock_qt {

class MainWindow;

class QtDesktop : public IDesktop {
  public:
    explicit QtDesktop(MainWindow& window);

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

    bool Unloaded() const { return m_unloaded; }
    // Without a notification area a hidden window could never be brought back: it is then
    // minimised instead of hidden, and a start in the tray shows it.
    void SetTrayAvailable(bool available) { m_trayAvailable = available; }
    bool TrayAvailable() const { return m_trayAvailable; }

  private:
    MainWindow& m_window;
    bool m_unloaded = false;
    bool m_trayAvailable = true;
    bool m_placed = false;
};

// Makes BrowseForFolder ask Qt's folder dialog, owned by `window`, where the platform has no
// picker of its own.
void RegisterQtFolderPicker(MainWindow& window);

}  // namespace brannock_qt
