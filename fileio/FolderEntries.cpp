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

// The folders a pass holds (open, or their names read), the latest first.
constexpr std::size_t kHeld = 8;

// Moves the record of `folder` to the front; false when it is not held.
template <class Held>
bool BringForward(std::vector<Held>& held, std::string_view folder) {
    const auto found = std::find_if(held.begin(), held.end(),
                                    [&](const Held& entry) { return entry.folder == folder; });
    if (found == held.end())
        return false;
    std::rotate(held.begin(), found, found + 1);
    return true;
}

// Puts `entry` in front, letting go of the folder held longest when kHeld are held already.
template <class Held, class LetGo>
void HoldInFront(std::vector<Held>& held, Held entry, LetGo letGo) {
    if (held.size() == kHeld) {
        letGo(held.back());
        held.pop_back();
    }
    held.insert(held.begin(), std::move(entry));
}

}  // namespace

EntryLookUps::~EntryLookUps() {
    for (const OpenFolder& held : held_)
        w32posix::CloseFolderForLookUps(held.fd);
}

int EntryLookUps::Hold(std::string_view folder) {
    if (!BringForward(held_, folder)) {
        const int fd = w32posix::OpenFolderForLookUps(std::string(folder).c_str());
        if (fd < 0)
            return -1;
        HoldInFront(held_, OpenFolder{std::string(folder), fd},
                    [](const OpenFolder& old) { w32posix::CloseFolderForLookUps(old.fd); });
    }
    return held_.front().fd;
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
    if (BringForward(held_, folder))
        return held_.front();
    Listing listing{std::string(folder), {}, false};
    listing.read = w32posix::ReadFolderNames(listing.folder.c_str(), listing.names);
    if (!listing.read)
        listing.names.clear();
    std::sort(listing.names.begin(), listing.names.end());
    HoldInFront(held_, std::move(listing), [](const Listing&) {});
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
