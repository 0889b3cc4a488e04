#include "fileio/FolderEntries.h"

#include <algorithm>
#include <string_view>

#include "fileio/PathText.h"
#include "fileio/modWin32.h"

#ifndef _WIN32
#include "platform/posix/FolderEntries.h"
#endif

namespace folders {

namespace {

// The folder and the entry name of `path`, when the name is one plain entry of that folder:
// not empty, not "." nor "..", the folder not empty. Anything else is looked up whole.
bool SplitEntry(const std::string& path, std::string_view& folder, std::string_view& name) {
    const auto sep = path.rfind(kSep);
    if (sep == std::string::npos || sep == 0)
        return false;
    folder = std::string_view(path).substr(0, sep);
    name = std::string_view(path).substr(sep + 1);
    return !name.empty() && name != "." && name != "..";
}

}  // namespace

#ifdef _WIN32

EntryLookUps::~EntryLookUps() = default;

// Windows resolves names with rules of its own (letter case, trailing dots and spaces), and
// has no look-up relative to an open folder: every path is looked up whole.
bool EntryLookUps::LookUp(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return LookUpPath(path, data);
}

void EntryLookUps::Hold(const std::string&) {}

bool NameListing::Lists(const std::string&) {
    return false;
}

#else

EntryLookUps::~EntryLookUps() {
    w32posix::CloseFolderForLookUps(fd_);
}

void EntryLookUps::Hold(const std::string& folder) {
    if (fd_ >= 0 && folder == folder_)
        return;
    w32posix::CloseFolderForLookUps(fd_);
    fd_ = w32posix::OpenFolderForLookUps(folder.c_str());
    folder_ = fd_ >= 0 ? folder : std::string();
}

// A folder that cannot be opened (not there yet, or a path too long for one call) is not
// held: its paths are looked up whole, and the next path tries again, since the pass may have
// made the folder in between.
bool EntryLookUps::LookUp(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    std::string_view folder;
    std::string_view name;
    if (!SplitEntry(path, folder, name))
        return LookUpPath(path, data);
    Hold(std::string(folder));
    if (fd_ < 0)
        return LookUpPath(path, data);
    const BOOL found =
        w32posix::GetEntryAttributesEx(fd_, std::string(name).c_str(), path.c_str(), data);
    CaptureLastError();
    return found != 0;
}

bool NameListing::Lists(const std::string& path) {
    std::string_view folder;
    std::string_view name;
    if (!SplitEntry(path, folder, name))
        return false;
    if (folder != folder_) {
        folder_ = folder;
        read_ = w32posix::ReadFolderNames(folder_.c_str(), names_);
        if (!read_)
            names_.clear();
        std::sort(names_.begin(), names_.end());
    }
    return read_ && std::binary_search(names_.begin(), names_.end(), name);
}

#endif

}  // namespace folders
