// The entries of an open folder, read from the kernel in large blocks. The C library's folder
// streams cost a status call and two descriptor-flag calls for every folder they open, which
// walks of many small folders pay once per folder.
#pragma once

#include <cstddef>
#include <memory>

namespace w32posix {

class FolderStream {
  public:
    // Takes over `fd`, a folder opened for reading; it is closed with the stream.
    explicit FolderStream(int fd);
    ~FolderStream();
    FolderStream(const FolderStream&) = delete;
    FolderStream& operator=(const FolderStream&) = delete;

    int Fd() const { return fd_; }
    // The next entry's name, in the kernel's order; nullptr at the end, or on a failure, whose
    // errno value Error() then gives (0 at the end).
    const char* Next();
    int Error() const { return error_; }
    // The kind of the entry Next() gave last, as a DT_ value; DT_UNKNOWN where the file system
    // does not record it.
    unsigned char Type() const { return type_; }

  private:
    static constexpr std::size_t kBlock = 32 * 1024;

    int fd_;
    std::unique_ptr<char[]> block_;
    std::size_t filled_ = 0;
    std::size_t at_ = 0;
    int error_ = 0;
    unsigned char type_ = 0;
};

}  // namespace w32posix
