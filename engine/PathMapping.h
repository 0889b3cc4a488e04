// Where a source folder's files live below the Sync To directory, and the way back from a
// destination file to the source it mirrors. Pure text: nothing here touches the file system.
//
// Windows keeps the source's drive as the first folder level (C:\Data -> <SyncTo>\C\Data);
// POSIX has no drives, so the source path is simply repeated below the Sync To directory
// (/home/a -> <SyncTo>/home/a). Both dialects are always built so each can be checked on
// either platform; DestinationFolder and SourcePath pick the one of the running platform.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pathmap {

// The destination folder of the source folder `sourceDir` under `syncTo`.
std::string DestinationFolderWindows(std::string_view syncTo, std::string_view sourceDir);
std::string DestinationFolderPosix(std::string_view syncTo, std::string_view sourceDir);

// The source path of the file `name` in the destination folder `destDir` under `syncTo`.
// Empty when the folder maps to no source folder: the Sync To directory itself, a drive folder
// on its own, or (Windows) anything whose first level is not a drive letter, such as the
// copies of a network path, which must never be taken for orphans.
std::optional<std::string> SourcePathWindows(std::string_view syncTo, std::string_view destDir,
                                             std::string_view name);
std::optional<std::string> SourcePathPosix(std::string_view syncTo, std::string_view destDir,
                                           std::string_view name);

inline std::string DestinationFolder(std::string_view syncTo, std::string_view sourceDir) {
#ifdef _WIN32
    return DestinationFolderWindows(syncTo, sourceDir);
#else
    return DestinationFolderPosix(syncTo, sourceDir);
#endif
}

inline std::optional<std::string> SourcePath(std::string_view syncTo, std::string_view destDir,
                                             std::string_view name) {
#ifdef _WIN32
    return SourcePathWindows(syncTo, destDir, name);
#else
    return SourcePathPosix(syncTo, destDir, name);
#endif
}

}  // namespace pathmap
