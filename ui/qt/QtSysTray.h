// The notification-area icon: shown while `intray` is on, with the picture and tip the program
// set last, the window's own icon until the first picture arrives.
#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <string>

#include "ui/controls.h"

class QSystemTrayIcon;

namespace brannock_qt {

class QtSysTray : public ISysTray {
  public:
    // `icon` must outlive this object; `defaultIcon` shows until the first set_trayicon.
    QtSysTray(QSystemTrayIcon* icon, const QIcon& defaultIcon);

    bool intray() const override { return m_inTray; }
    void set_intray(bool inTray) override;
    const IPicture* trayicon() const override { return m_picture; }
    void set_trayicon(const IPicture& picture) override;
    std::string traytip() const override { return m_tip; }
    void set_traytip(const std::string& tip) override;
    void ShowBalloon(const std::string& title, const std::string& text) override;

    // The last balloon shown, as the icon was given it, so that a desktop without a
    // notification area, where Qt shows nothing, can still be checked.
    const std::string& LastBalloonTitle() const { return m_balloonTitle; }
    const std::string& LastBalloonText() const { return m_balloonText; }

  private:
    QSystemTrayIcon* m_icon;
    bool m_inTray = false;
    const IPicture* m_picture = nullptr;
    std::string m_tip;
    std::string m_balloonTitle;
    std::string m_balloonText;
    QElapsedTimer m_shownSince;  // since the icon was put into the tray
};

}  // namespace brannock_qt
