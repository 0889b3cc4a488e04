#include "ui/qt/QtSysTray.h"

#include <QSystemTrayIcon>
#include <QTimer>

#include "ui/TextWrap.h"
#include "ui/qt/QtControls.h"
#include "ui/qt/QtText.h"

namespace brannock_qt {
namespace {

// Tips and balloons are small windows: a recorded failure that names long paths is broken
// into lines of this many characters, after its separators, instead of running off the screen.
constexpr std::size_t kLineChars = 64;
// A balloon is read at a glance; beyond this its text is cut.
constexpr std::size_t kBalloonChars = 400;
constexpr int kLandingMilliseconds = 1500;

QString Lines(const std::string& text) {
    return ToQ(textwrap::Wrap(text, textwrap::AtMostChars(kLineChars)));
}

}  // namespace

QtSysTray::QtSysTray(QSystemTrayIcon* icon, const QIcon& defaultIcon) : m_icon(icon) {
    m_icon->setIcon(defaultIcon);
}

void QtSysTray::set_intray(bool inTray) {
    if (inTray && !m_inTray)
        m_shownSince.start();
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
    m_icon->setToolTip(Lines(tip));
}

void QtSysTray::ShowBalloon(const std::string& title, const std::string& text) {
    m_balloonTitle = title;
    m_balloonText = text;
    const QString qTitle = ToQ(title);
    const QString qText = Lines(textwrap::Cut(text, kBalloonChars));
    QSystemTrayIcon* icon = m_icon;
    const auto show = [icon, qTitle, qText] {
        icon->showMessage(qTitle, qText, QSystemTrayIcon::Warning);
    };
    // Just after the icon was put into the tray it has not landed in the notification area
    // yet, and a balloon shown now would point at a corner of the screen: it waits until the
    // icon has had time to land.
    const qint64 sinceShown = m_shownSince.isValid() ? m_shownSince.elapsed() : 0;
    if (sinceShown < kLandingMilliseconds)
        QTimer::singleShot(static_cast<int>(kLandingMilliseconds - sinceShown), icon, show);
    else
        show();
}

}  // namespace brannock_qt
