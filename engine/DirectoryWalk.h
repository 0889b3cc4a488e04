// What the engine's walks share: an enumeration that is closed on every way out, the tests on
// a directory entry, and the depth-first walk of the copy and cleanup passes.
#pragma once

#include <string>

#include "platform/win32.h"

class frmMain;

namespace engine {

// How much of each entry a walk uses: all of it; only its name and kind (folder, link to a
// folder, file), which a platform may tell without looking at each entry; or so for folders,
// while files keep their times and size.
enum class EntryDetail { Full, Kind, FoldersByKind };

// One enumeration of a search pattern; the search handle is closed when it goes out of scope,
// so an early return at any level of a walk cannot leave it open.
class Enumeration {
  public:
    explicit Enumeration(const std::string& pattern, EntryDetail detail = EntryDetail::Full);
    ~Enumeration();
    Enumeration(const Enumeration&) = delete;
    Enumeration& operator=(const Enumeration&) = delete;

    // False when the pattern named nothing (a missing, empty or unreadable folder).
    bool Found() const;
    const WIN32_FIND_DATAA& Entry() const { return entry_; }
    // Moves to the next entry; false at the end.
    bool Next();

  private:
    WIN32_FIND_DATAA entry_{};  // before the handle: FindFirst fills it
    HANDLE handle_;
};

bool IsDotEntry(const std::string& name);
bool IsFolder(const WIN32_FIND_DATAA& entry);
// A pipe, a socket or a device node (or a link to one), which POSIX folders hold and Windows
// folders do not: the platform lists it with FILE_ATTRIBUTE_DEVICE.
bool IsSpecialFile(const WIN32_FIND_DATAA& entry);
// A link to a folder (a symbolic link or junction). Walks never enter one: it may lead out of
// the tree or back into it.
bool IsFolderLink(const WIN32_FIND_DATAA& entry);

// The folder text of a search pattern joined with a subfolder's name and the wildcard.
std::string SubfolderPattern(const std::string& dir, const std::string& name);

using FolderStep = bool (frmMain::*)(const std::string& pattern);
using FileStep = bool (frmMain::*)(const std::string& dir, const WIN32_FIND_DATAA& entry);

// The walk of the copy and cleanup passes over one folder: stops with false when syncing is
// off or a step fails, shows "Synchronizing..." for every entry, hands subfolders to
// `folderStep` and files to `fileStep`, and lets window events run after each handled file.
// Pipes, sockets and devices are passed over, each named in the activity log.
bool WalkFolder(frmMain& form, const std::string& pattern, FolderStep folderStep, FileStep fileStep,
                EntryDetail detail);

}  // namespace engine
