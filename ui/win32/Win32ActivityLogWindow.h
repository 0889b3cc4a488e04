// The Activity Log window: the log file as plain text in one window of its own beside the
// main window, the newest events at the bottom and new ones added while it is open.
#pragma once

#include <string>

#include "platform/win32.h"

namespace brannock_win32 {

inline constexpr wchar_t kActivityLogWindowClass[] = L"BrannockActivityLog";
// How often an open window looks for new lines.
inline constexpr UINT kLogPollMilliseconds = 500;

// Shows the log file `path` (UTF-8), read afresh and scrolled to its end; a window already
// open comes to the front. A log not yet written shows empty until its first line.
void ShowActivityLogWindow(HWND owner, const std::string& path);

}  // namespace brannock_win32
