// The Qt shell's start. For now it only puts the program into the tray and shows a stand-in
// window, so that the desktop side can be started and looked at while the real window is made.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QSystemTrayIcon>

#include "ui/AppInfo.h"
#include "ui/qt/TrayPictures.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program lives in the tray: closing the window only hides it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(app::kTitle);

    QMainWindow window;
    window.setWindowTitle(app::kTitle);
    window.setWindowIcon(brannock_qt::SyncPicture(false));
    auto* notice = new QLabel(QStringLiteral("The Brannock window is being built."), &window);
    notice->setAlignment(Qt::AlignCenter);
    notice->setMargin(24);
    window.setCentralWidget(notice);
    window.resize(420, 200);

    QMenu popup;
    QAction* terminate = popup.addAction(QStringLiteral("&Terminate"));
    QObject::connect(terminate, &QAction::triggered, &app, &QApplication::quit);

    QSystemTrayIcon tray(brannock_qt::SyncPicture(false));
    tray.setToolTip(QStringLiteral("Sync Disabled"));
    tray.setContextMenu(&popup);
    QObject::connect(&tray, &QSystemTrayIcon::activated,
                     [&window](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger) {
                             window.show();
                             window.raise();
                         }
                     });
    tray.show();

    window.show();
    return QApplication::exec();
}
