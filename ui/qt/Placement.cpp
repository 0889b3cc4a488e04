#include "ui/qt/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace brannock_qt {
namespace {

int KeepWithin(int start, int length, int areaStart, int areaLength) {
    return std::clamp(start, areaStart, std::max(areaStart, areaStart + areaLength - length));
}

}  // namespace

void CentreOver(QWidget& window, const QWidget* owner) {
    const bool overOwner = owner != nullptr && owner->isVisible() && !owner->isMinimized();
    const QScreen* screen = overOwner ? owner->screen() : window.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QRect over = overOwner ? owner->frameGeometry() : area;
    QRect frame(QPoint(), window.frameGeometry().size().expandedTo(window.size()));
    frame.moveCenter(over.center());
    window.move(KeepWithin(frame.left(), frame.width(), area.left(), area.width()),
                KeepWithin(frame.top(), frame.height(), area.top(), area.height()));
}

}  // namespace brannock_qt
