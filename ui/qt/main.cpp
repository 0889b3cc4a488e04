// The Qt shell's start: the application, the main window and its form, then Main, which loads
// the window; the event loop runs unless the window was already unloaded during that load.
#include <QApplication>
#include <QSystemTrayIcon>
#include <cstdio>

#include "ui/AppInfo.h"
#include "ui/modSync.h"
#include "ui/qt/AppPictures.h"
#include "ui/qt/QtShell.h"
#include "ui/qt/RunningCopy.h"
#include "ui/qt/StopSignals.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program lives in the tray: closing or hiding the window never ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QString::fromLatin1(app::kTitle));
    QApplication::setWindowIcon(brannock_qt::AppIcon());

    SystemClock clock;
    brannock_qt::QtShell shell(clock);
    // A second start on the same settings file shows the running copy and goes, having read
    // and written nothing.
    const std::string settings = shell.form.SettingsFilePath();
    brannock_qt::RunningCopy runningCopy;
    if (!runningCopy.Claim(settings)) {
        if (brannock_qt::RunningCopy::AskToShow(settings))
            return 0;
        std::fprintf(stderr, "brannock: a copy already running on %s does not answer\n",
                     settings.c_str());
        return 1;
    }
    runningCopy.OnShowRequest([&shell] {
        if (!shell.form.Unloaded())
            shell.form.mnu_PopupProperties_Click();
    });
    const bool trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    if (!trayAvailable)
        std::fprintf(stderr,
                     "brannock: this desktop has no notification area; the window stays "
                     "on the taskbar instead\n");
    shell.desktop.SetTrayAvailable(trayAvailable);
    brannock_qt::WatchStopSignals(shell);
    Main(shell.form);
    // A terminate during the first cycle of an on-state start has unloaded the window already.
    if (shell.form.Unloaded())
        return 0;
    if (!trayAvailable && !shell.desktop.MainWindowVisible())
        shell.desktop.ShowMainWindow();
    return QApplication::exec();
}
