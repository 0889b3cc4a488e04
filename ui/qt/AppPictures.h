// The program's own pictures. They are drawn as SVG, kept in the Qt resources and rendered for
// every size a widget, the window manager or the tray asks for, so they stay sharp at 16 px and
// on high-DPI screens alike.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace brannock_qt {

enum class ButtonPicture { Add, Modify, Delete, Up, Down, Browse };

// The window and application icon: two folders and the arrow that mirrors one into the other.
QIcon AppIcon();

// The pictures of the fileset buttons and of the browse button, drawn on a 16 px grid.
QIcon ButtonIcon(ButtonPicture picture);

// The About box's tall picture, 28x84 in layout pixels, rendered for `devicePixelRatio`.
QPixmap AboutSidePicture(qreal devicePixelRatio);

// The icon of the resource picture `name` ("sync-on" for ":/pictures/sync-on.svg"). Where a
// simpler "<name>-16" drawing exists it stands in at the small sizes, where the full drawing
// would blur into a smudge.
QIcon PictureIcon(const QString& name);

}  // namespace brannock_qt
