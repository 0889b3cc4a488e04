// Telling Wine from Windows, for the few places where a test states how Wine departs from it.
#pragma once

#include "platform/win32.h"

// True when the Windows programs run under Wine.
inline bool RunningUnderWine() {
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}
