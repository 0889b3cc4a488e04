// The tray icon's two state pictures, drawn in code so the program needs no image files.
#pragma once

#include <QIcon>

namespace brannock_qt {
// The "on" picture when `on`, else the "off" picture; also the window's own icon.
QIcon SyncPicture(bool on);
}  // namespace brannock_qt
