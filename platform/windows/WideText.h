// The texts of the Windows file calls (platform/windows/WideCalls.h): the program's UTF-8 and
// the system's UTF-16, and the form in which a path is given to the system. Kept apart from
// platform/win32.h, which every file of the program sees.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace w32wide {

// The longest path, in UTF-16 units and with its \\?\ prefix, that Windows accepts.
constexpr std::size_t kMaxLongPath = 32767;

// UTF-8 to UTF-16 and back; a byte that is not UTF-8 becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// Copies `text` and a terminating NUL into `buffer` of `size` bytes (size > 0), cut to fit
// between two characters; returns the bytes copied before the NUL.
std::size_t CopyCut(std::string_view text, char* buffer, std::size_t size);

// The path the system is given for `path`: the text itself when the plain form reaches it,
// otherwise its full path (made by the system's own rules: "/" becomes "\", "." and ".." are
// resolved, the current folder goes before a relative path) behind \\?\, or \\?\UNC\ for a
// network path. A path that already has a \\?\ or \\.\ prefix is given as it is. False, with
// ERROR_FILENAME_EXCED_RANGE as the last error, for a path longer than Windows allows.
bool SystemPath(const char* path, std::wstring& systemPath);

}  // namespace w32wide
