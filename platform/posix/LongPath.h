// Paths longer than the system takes in one call. A long-path-aware Windows program reaches
// paths of up to 32,767 characters; here such a path is reached through descriptors of its
// folders, opened a piece at a time, and the calls go to the *at forms with the last part.
#pragma once

#include <fcntl.h>

#include <string>

namespace w32posix {

// The longest path Windows accepts from a long-path-aware program.
constexpr std::size_t kMaxLongPath = 32767;

class PathAt {
  public:
    // A path that the system takes whole keeps dir == AT_FDCWD and name == the path; a
    // longer one gets an open descriptor of the folder that holds its last part. error is 0,
    // ENAMETOOLONG past kMaxLongPath, or the failure of a folder on the way.
    explicit PathAt(const char* path);
    ~PathAt();
    PathAt(const PathAt&) = delete;
    PathAt& operator=(const PathAt&) = delete;

    int dir = AT_FDCWD;
    const char* name;
    int error = 0;

  private:
    std::string last_;
};

}  // namespace w32posix
