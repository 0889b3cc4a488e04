// The program's help window: the help file, Markdown text, shown formatted in a scrollable
// read-only view. One window, owned by the main window and kept above it, not modal, so the
// user can read while working; Esc or its close box hides it, and the next request shows it
// again with the file read afresh.
#pragma once

#include <QString>

class QWidget;

namespace brannock_qt {

// Shows `file` in the help window of `owner`; false, and nothing shown, when it cannot be read.
bool ShowHelpWindow(QWidget* owner, const QString& file);

}  // namespace brannock_qt
