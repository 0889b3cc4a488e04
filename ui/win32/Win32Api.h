// The system headers of the shell, in the order they need: <windows.h> (through the platform
// header, with its macro clean-up) before the common controls and the shell's API.
#pragma once

#include "platform/win32.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
