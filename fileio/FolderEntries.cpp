#include "fileio/FolderEntries.h"

#include <algorithm>
#include <string_view>

#include "fileio/PathText.h"
#include "fileio/modWin32.h"

#ifndef _WIN32
#include "platform/posix/FolderEntries.h"
#endif

namespace folders {

#ifdef _WIN32

EntryLookUps::~EntryLookUps() = default;

// Windows resolves names with rules of its own (letter case, trailing dots and spaces), and
// has no look-up relative to an open folder: every path is looked up whole.
bool EntryLookUps::LookUp(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return LookUpPath(path, data);
}

int EntryLookUps::Hold(std::string_view) {
    return -1;
}

bool NameListing::Lists(const std::string&) {
    return false;
}

#else

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

EntryLookUps::~EntryLookUps() {
    for (const auto& [folder, fd] : held_)
        w32posix::CloseFolderForLookUps(fd);
}

int EntryLookUps::Hold(std::string_view folder) {
    auto found = std::find_if(held_.begin(), held_.end(),
                              [&](const auto& held) { return held.first == folder; });
    if (found == held_.end()) {
        const int fd = w32posix::OpenFolderForLookUps(std::string(folder).c_str());
        if (fd < 0)
            return -1;
        if (held_.size() == kHeld) {
            w32posix::CloseFolderForLookUps(held_.back().second);
            held_.pop_back();
        }
        held_.emplace_back(std::string(folder), fd);
        found = held_.end() - 1;
    }
    std::rotate(held_.begin(), found, found + 1);
    return held_.front().second;
}

// A folder that cannot be opened (not there yet, or a path too long for one call) is not
// held: its paths are looked up whole, and the next path tries again, since the pass may have
// made the folder in between.
bool EntryLookUps::LookUp(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    std::string_view folder;
    std::string_view name;
    if (!SplitEntry(path, folder, name))
        return LookUpPath(path, data);
    const int fd = Hold(folder);
    if (fd < 0)
        return LookUpPath(path, data);
    const BOOL found =
        w32posix::GetEntryAttributesEx(fd, std::string(name).c_str(), path.c_str(), data);
    CaptureLastError();
    return found != 0;
}

const NameListing::Listing& NameListing::Held(std::string_view folder) {
    const auto found = std::find_if(held_.begin(), held_.end(),
                                    [&](const Listing& held) { return held.folder == folder; });
    if (found != held_.end()) {
        std::rotate(held_.begin(), found, found + 1);
        return held_.front();
    }
    if (held_.size() == kHeld)
        held_.pop_back();
    Listing listing{std::string(folder), {}, false};
    listing.read = w32posix::ReadFolderNames(listing.folder.c_str(), listing.names);
    if (!listing.read)
        listing.names.clear();
    std::sort(listing.names.begin(), listing.names.end());
    held_.insert(held_.begin(), std::move(listing));
    return held_.front();
}

// A listing held while the walk was in a subfolder is older than the folder: a name it lists
// that has gone since keeps its copy until the next cycle, as a look-up made just before the
// source's deletion would have; a name it lacks is still looked up on its own.
bool NameListing::Lists(const std::string& path) {
    std::string_view folder;
    std::string_view name;
    if (!SplitEntry(path, folder, name))
        return false;
    const Listing& listing = Held(folder);
    return listing.read && std::binary_search(listing.names.begin(), listing.names.end(), name);
}

#endif

}  // namespace folders
