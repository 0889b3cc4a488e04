// The one door to the operating system. Everything above platform/ includes this header and
// calls the Win32 functions by their own names: on Windows they are the real ones, elsewhere
// platform/posix/ implements them over POSIX with Win32's results and error codes.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// <windows.h> maps generic names onto their A/W forms with macros. The program calls the A
// forms explicitly and uses some of the generic names for its own procedures, so the macros
// that would rename them go here, in one place. The Windows build's check_windows_macros test
// (cmake/check-windows-macros.sh) names any further macro that a program name runs into.
#undef CopyFile
#undef DeleteFile
#undef CreateDirectory
#undef RemoveDirectory
#undef FindFirstFile
#undef FindNextFile
#undef GetObject
#undef MessageBox
#undef LoadString
#undef Yield
#undef ERROR
#undef small
// The file calls go through platform/windows/, which reaches every path Windows allows and
// takes and gives UTF-8 whatever the code page.
#include "platform/windows/WideCalls.h"
#define CreateFileA w32wide::CreateFileA
#define DeleteFileA w32wide::DeleteFileA
#define CreateDirectoryA w32wide::CreateDirectoryA
#define RemoveDirectoryA w32wide::RemoveDirectoryA
#define GetFileAttributesA w32wide::GetFileAttributesA
#define GetFileAttributesExA w32wide::GetFileAttributesExA
#define GetFinalPathNameByHandleA w32wide::GetFinalPathNameByHandleA
#define FindFirstFileA w32wide::FindFirstFileA
#define FindNextFileA w32wide::FindNextFileA
#define GetModuleFileNameA w32wide::GetModuleFileNameA
#define GetPrivateProfileStringA w32wide::GetPrivateProfileStringA
#define GetPrivateProfileIntA w32wide::GetPrivateProfileIntA
#define WritePrivateProfileStringA w32wide::WritePrivateProfileStringA
#else
#include "platform/posix/win32_api.h"
#endif
