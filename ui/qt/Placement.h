// Where the program's windows appear. A window shown before its owner has been mapped would be
// put wherever the desktop likes (the top-left corner on some), so the program places them
// itself: the main window at the centre of its screen, its boxes at the centre of it.
#pragma once

class QWidget;

namespace brannock_qt {

// Moves `window`, at its present size, to the centre of `owner` when the owner is shown, else
// to the centre of the screen, and keeps it on that screen.
void CentreOver(QWidget& window, const QWidget* owner);

}  // namespace brannock_qt
