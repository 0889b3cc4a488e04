// Look-ups of many paths that lie in few folders, as the passes make them: one folder at a
// time is held (open, or its names read), and a path in another folder moves on to that one.
// Each answer is the one LookUpPath gives for the path; where that cannot be told, LookUpPath
// itself is asked. On Windows every answer comes from LookUpPath.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace folders {

class EntryLookUps {
  public:
    EntryLookUps() = default;
    ~EntryLookUps();
    EntryLookUps(const EntryLookUps&) = delete;
    EntryLookUps& operator=(const EntryLookUps&) = delete;

    // LookUpPath(path, data), looked up relative to the path's folder held open.
    bool LookUp(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data);

  private:
    // The descriptor of `folder`, opened unless held already; -1 when it cannot be opened.
    int Hold(std::string_view folder);

    struct OpenFolder {
        std::string folder;
        int fd = -1;
    };
    // A walk comes back to a folder after each of its subfolders: the last few folders stay
    // held, the latest first, so that coming back does not open the folder again.
    std::vector<OpenFolder> held_;
};

class NameListing {
  public:
    // True when the folder of `path` held an entry of its name when the folder was read, so a
    // look-up of the path would have found it. False tells nothing: look the path up.
    bool Lists(const std::string& path);

  private:
    struct Listing {
        std::string folder;
        std::vector<std::string> names;  // sorted
        bool read = false;
    };
    // As EntryLookUps holds folders open, the listings of the last few folders stay, so that
    // coming back from a subfolder does not read the folder again: a few folders' names at
    // most, whatever the size of the tree.
    const Listing& Held(std::string_view folder);
    std::vector<Listing> held_;
};

}  // namespace folders
