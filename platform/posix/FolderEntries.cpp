#include "platform/posix/FolderEntries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "platform/posix/Errors.h"
#include "platform/posix/FileStatus.h"
#include "platform/posix/FolderStream.h"

namespace w32posix {

int OpenFolderForLookUps(const char* folder) {
    return ::open(folder, O_PATH | O_DIRECTORY | O_CLOEXEC);
}

void CloseFolderForLookUps(int folderFd) {
    if (folderFd >= 0)
        ::close(folderFd);
}

// DescribeAt relative to the folder sees the entry the full path's last part names, as long as
// the descriptor's folder is the one the path leads to; the error is set from the full path,
// as GetFileAttributesExA sets it.
BOOL GetEntryAttributesEx(int folderFd, const char* name, const char* fullPath,
                          WIN32_FILE_ATTRIBUTE_DATA& data) {
    EntryFacts facts;
    if (int err = DescribeAt(folderFd, name, name, facts)) {
        SetErrorFromErrno(err, fullPath);
        return FALSE;
    }
    FillAttributeData(facts, data);
    return TRUE;
}

bool ReadFolderNames(const char* folder, std::vector<std::string>& names) {
    names.clear();
    FolderStream stream(::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (stream.Fd() < 0)
        return false;
    // Reading a folder takes read permission, looking its entries up takes search permission:
    // without it every look-up fails, so the names would answer what a look-up cannot.
    struct stat self {};
    if (::fstatat(stream.Fd(), ".", &self, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    while (const char* name = stream.Next()) {
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
            names.emplace_back(name);
    }
    return stream.Error() == 0;
}

}  // namespace w32posix
