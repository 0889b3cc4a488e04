// The About window: product name and version, what the program does, two links and the
// disclaimer, with its texts built by the window's own logic (frmAbout) at every showing.
#pragma once

class QWidget;

namespace brannock_qt {
// Shows a fresh About window modally, owned by `owner` (also when `owner` is hidden), and
// returns once it has been closed by OK, Enter, Esc or its close box.
void ShowAboutBox(QWidget* owner);
}  // namespace brannock_qt
