// The shell's folder picker. Kept out of win32.h because the shell headers bring in COM,
// whose interface names would collide with the program's own if every file saw them.
#pragma once

#include "platform/win32.h"

#ifdef _WIN32
#include <shlobj.h>
#endif
