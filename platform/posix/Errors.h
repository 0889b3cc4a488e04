// How POSIX failures become Win32 last-error codes.
#pragma once

#include <string>
#include <string_view>

#include "platform/posix/win32_api.h"

namespace w32posix {

// The nearest Win32 code for an errno value, without looking at any path.
DWORD ErrorFromErrno(int err);

// Sets the calling thread's last error from `err`. With `path` given, ENOENT and ENOTDIR are
// refined as Windows does: a missing file in an existing folder is ERROR_FILE_NOT_FOUND, a
// missing folder on the way is ERROR_PATH_NOT_FOUND.
void SetErrorFromErrno(int err, std::string_view path = {});

// The code Windows gives for a name that does not exist: FILE_NOT_FOUND when the folder that
// should hold it exists, PATH_NOT_FOUND otherwise.
DWORD MissingPathError(std::string_view path);

bool FolderExists(const std::string& path);

// The folder part of a path: everything before the last '/', "/" for a name in the root and
// "." for a bare name. Trailing slashes of the path are ignored.
std::string_view ParentOf(std::string_view path);

}  // namespace w32posix
