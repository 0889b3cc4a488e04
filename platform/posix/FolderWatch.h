// Changes in folders, seen through inotify: a question "has anything changed?" costs one
// non-blocking read of the pending events instead of a look-up of a path.
#pragma once

#include <functional>
#include <string>

namespace w32posix {

class FolderWatches {
  public:
    FolderWatches() = default;
    ~FolderWatches();
    FolderWatches(const FolderWatches&) = delete;
    FolderWatches& operator=(const FolderWatches&) = delete;

    // Watches the folder that holds the file `path` for any change to its entries or to
    // itself. Returns the watch's id, or -1 when it cannot be watched: a relative path, a
    // path that is a symbolic link (its target may change elsewhere), no inotify.
    int WatchFolderOf(const std::string& path);
    // Reads every pending event and calls `changed` with the id of each folder that changed,
    // or with -1 when events were lost and every folder must count as changed.
    void Drain(const std::function<void(int)>& changed);

  private:
    int fd_ = -1;
    bool failed_ = false;
};

}  // namespace w32posix
