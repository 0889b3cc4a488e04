#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/posix/Errors.h"

using namespace w32posix;

// Only the program's own module is known, by a null handle; its name is the executable's path
// as the kernel reports it.
DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (hModule) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    std::string name(4096, '\0');
    ssize_t length = ::readlink("/proc/self/exe", name.data(), name.size());
    if (length < 0) {
        SetErrorFromErrno(errno);
        return 0;
    }
    name.resize(static_cast<std::size_t>(length));
    if (nSize == 0 || !lpFilename) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    // A name that does not fit is cut to nSize characters counting its terminator.
    if (name.size() >= nSize) {
        std::memcpy(lpFilename, name.data(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::memcpy(lpFilename, name.data(), name.size() + 1);
    return static_cast<DWORD>(name.size());
}
