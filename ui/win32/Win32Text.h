// The one place where the program's UTF-8 texts meet the UTF-16 of the W functions.
#pragma once

#include <string>

#include "platform/win32.h"

namespace brannock_win32 {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& utf16);

// A window's text, and setting it, in UTF-8.
std::string WindowText(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, const std::string& utf8);

}  // namespace brannock_win32
