// The Activity Log window: the log file as plain text, the newest events at the bottom, and
// new events added as they are written while it is open. One window, owned by the main window
// and not modal; Esc or its close box hides it, and the next request reads the log afresh.
#pragma once

#include <string>

class QWidget;

namespace brannock_qt {

// Shows the log file `path` (UTF-8 path and text) in the Activity Log window of `owner`,
// scrolled to its end; a window already open comes to the front. A log not yet written shows
// empty until its first line.
void ShowActivityLogWindow(QWidget* owner, const std::string& path);

// How often an open window looks for new lines.
inline constexpr int kLogPollMilliseconds = 500;

}  // namespace brannock_qt
