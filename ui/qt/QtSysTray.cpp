#include "ui/qt/QtSysTray.h"

#include <QSystemTrayIcon>

#include "ui/qt/QtControls.h"
#include "ui/qt/QtText.h"

namespace brannock_qt {

QtSysTray::QtSysTray(QSystemTrayIcon* icon, const QIcon& defaultIcon) : m_icon(icon) {
    m_icon->setIcon(defaultIcon);
}

void QtSysTray::set_intray(bool inTray) {
    m_inTray = inTray;
    m_icon->setVisible(inTray);
}

void QtSysTray::set_trayicon(const IPicture& picture) {
    m_picture = &picture;
    // Only the window's own pictures reach the tray; anything else keeps the current icon.
    if (const auto* qtPicture = dynamic_cast<const QtPicture*>(&picture))
        m_icon->setIcon(qtPicture->Icon());
}

void QtSysTray::set_traytip(const std::string& tip) {
    m_tip = tip;
    m_icon->setToolTip(ToQ(tip));
}

}  // namespace brannock_qt
