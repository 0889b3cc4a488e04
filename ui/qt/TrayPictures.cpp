#include "ui/qt/TrayPictures.h"

#include "ui/qt/AppPictures.h"

namespace brannock_qt {

QIcon SyncPicture(bool on) {
    return PictureIcon(on ? QStringLiteral("sync-on") : QStringLiteral("sync-off"));
}

}  // namespace brannock_qt
