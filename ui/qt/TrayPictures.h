// The tray icon's two state pictures: coloured arrows while syncing, grey ones with a stop mark
// while it is off.
#pragma once

#include <QIcon>

namespace brannock_qt {
// The "on" picture when `on`, else the "off" picture.
QIcon SyncPicture(bool on);
}  // namespace brannock_qt
