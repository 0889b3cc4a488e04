// The help window: the help file's text, formatted, in one window of its own beside the main
// window, that stays open while the user goes on working.
#pragma once

#include <string>

#include "platform/win32.h"

namespace brannock_win32 {

inline constexpr wchar_t kHelpWindowClass[] = L"BrannockHelp";

// Shows the help file `path` (Markdown), reading it anew; false, with nothing shown, when it
// cannot be read. A window already open shows the new text and comes to the front.
bool ShowHelpWindow(HWND owner, const std::string& path);

}  // namespace brannock_win32
