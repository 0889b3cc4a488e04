#include "ui/qt/QtSysTray.h"

#include <QSystemTrayIcon>

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

QString Lines(const std::string& text) {
    return ToQ(textwrap::Wrap(text, textwrap::AtMostChars(kLineChars)));
}

}  // namespace

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
    m_icon->setToolTip(Lines(tip));
}

void QtSysTray::ShowBalloon(const std::string& title, const std::string& text) {
    m_balloonTitle = title;
    m_balloonText = text;
    m_icon->showMessage(ToQ(title), Lines(textwrap::Cut(text, kBalloonChars)),
                        QSystemTrayIcon::Warning);
}

}  // namespace brannock_qt
