// The main window's widgets, laid out as the program shows them, with its menus, its timer and
// its tray icon. Widgets carry their control names as object names. The window does nothing on
// its own: QtShell connects every widget to the form's handlers.
#pragma once

#include <QMainWindow>
#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QSystemTrayIcon;
class QTimer;
class QToolButton;

namespace brannock_qt {

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Asked when the user closes the window from its title bar; true lets it close.
    std::function<bool()> onCloseRequest;
    // Lets every later close through, for the program's own unloading.
    void AllowClose() { m_closeAllowed = true; }

    QGroupBox* Frame2;
    QListWidget* lstSyncFrom;
    QToolButton* btnAddPath;
    QToolButton* btnModifyPath;
    QToolButton* btnDeletePath;
    QToolButton* btnUpPath;
    QToolButton* btnDownPath;
    QGroupBox* Frame1;
    QLineEdit* txtSyncTo;
    QToolButton* btnToBrowse;
    QGroupBox* Frame3;
    QLineEdit* txtWakeup;
    QLabel* Label1;
    QPushButton* btnSyncToggle;
    QPushButton* btnClose;
    QPushButton* btnTerminate;
    QLabel* lblTitle;
    QStatusBar* StatusBar1;
    QLabel* panel1;
    QLabel* panel2;
    QProgressBar* pgrStatus;
    QPushButton* btnSyncOn;
    QPushButton* btnSyncOff;
    QTimer* Timer1;
    QSystemTrayIcon* SysTray1;

    QMenu* mnu_File;
    QAction* mnu_FileLog;
    QAction* mnu_FileExit;
    QMenu* mnu_Help;
    QAction* mnuHelpContents;
    QAction* mnu_HelpAbout;
    QMenu* mnu_Popup;
    QAction* mnu_PopupProperties;
    QAction* mnu_PopupLog;
    QAction* mnu_PopupDisabled;
    QAction* mnu_PopupSep1;
    QAction* mnu_PopupTerminate;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* BuildSyncFrom();
    QWidget* BuildSyncTo();
    QWidget* BuildWakeup();
    QWidget* BuildCommandButtons();
    void BuildStatusBar();
    void BuildMenus();
    void BuildHiddenControls();

    bool m_closeAllowed = false;
};

}  // namespace brannock_qt
