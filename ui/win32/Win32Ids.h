// Control and menu numbers of the main window, and its private messages.
#pragma once

#include "platform/win32.h"

namespace brannock_win32::ids {

enum Control : int {
    kFrame2 = 1000,
    kAddPath,
    kModifyPath,
    kDeletePath,
    kUpPath,
    kDownPath,
    kSyncFrom,
    kFrame1,
    kSyncTo,
    kToBrowse,
    kFrame3,
    kWakeup,
    kLabel1,
    kTitle,
    kClose,
    kSyncToggle,
    kTerminate,
    kStatusBar,
    kProgress,
};

enum Menu : int {
    kFileExit = 2001,
    kHelpContents,
    kHelpAbout,
    kPopupProperties,
    kPopupDisabled,
    kPopupTerminate,
    kFileLog,
    kPopupLog,
};

inline constexpr UINT_PTR kTimer1 = 1;
inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT_PTR kWakeupSubclass = 1;
inline constexpr UINT_PTR kListSubclass = 2;

// WM_USER and WM_USER+1 are taken by the dialog manager (DM_GETDEFID, DM_SETDEFID), which
// IsDialogMessage sends to the main window; private messages stay in the WM_APP range.
inline constexpr UINT kTrayCallback = WM_APP + 1;
// The tray's callback carried out of the shell's notification, its lParam kept.
inline constexpr UINT kTrayClick = WM_APP + 2;

}  // namespace brannock_win32::ids
