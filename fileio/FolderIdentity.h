// Whether two folder texts name the same folder on disk, or one lies inside the other,
// whatever their spelling: a trailing separator, doubled separators, "." and ".." parts, a link
// to the folder, and on Windows letter case and "/". Folders are compared by identity (volume
// and file index), never by text.
#pragma once

#include <optional>
#include <string>

#include "platform/win32.h"

namespace folders {

// One folder on the machine, whatever path reaches it.
struct FolderId {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    friend bool operator==(const FolderId&, const FolderId&) = default;
};

// The identity of the folder `path` names, following links; empty when it names no folder
// that can be opened.
std::optional<FolderId> IdentityOf(const std::string& path);

// The path of the folder `path` names, as the system resolves it: absolute, links and "." and
// ".." parts followed, without a trailing separator unless it is a root, and on Windows
// without the "\\?\" prefix. Empty when `path` names no folder that can be opened.
std::string FinalPathOf(const std::string& path);

// True when a path from FinalPathOf is the root of its drive or file system.
bool IsRoot(const std::string& finalPath);

// How two folders lie on disk: apart, the same folder, or one inside the other.
enum class Nesting { Apart, Same, FirstInside, SecondInside };

// The one overlap test of the program. Apart when either text names no folder.
Nesting Nest(const std::string& first, const std::string& second);

// True when the folders are the same or one lies inside the other.
inline bool Overlap(const std::string& a, const std::string& b) {
    return Nest(a, b) != Nesting::Apart;
}

// True when a fileset entry names its folder without depending on the current folder:
// starting with "/" on POSIX; on Windows a drive letter, colon and separator, or a network
// path; and with no folder level "." or ".." (their copies would climb out of the Sync To
// directory). Only the copies of such a fileset can be mapped back to their source.
bool IsFullPath(const std::string& entry);
// A full fileset entry of the platform, for messages.
std::string FullPathExample();

}  // namespace folders
