#include <vector>

#include "platform/windows/WideCalls.h"
#include "platform/windows/WideText.h"

namespace w32wide {

namespace {

// Keeps the last error of the call it follows through the conversions after it.
class KeepLastError {
  public:
    KeepLastError() : error_(GetLastError()) {}
    ~KeepLastError() { SetLastError(error_); }
    KeepLastError(const KeepLastError&) = delete;
    KeepLastError& operator=(const KeepLastError&) = delete;

  private:
    DWORD error_;
};

// Both forms of a search's entry have the same fields; only the names are converted.
void NarrowEntry(const WIN32_FIND_DATAW& wide, WIN32_FIND_DATAA& entry) {
    const KeepLastError kept;
    entry.dwFileAttributes = wide.dwFileAttributes;
    entry.ftCreationTime = wide.ftCreationTime;
    entry.ftLastAccessTime = wide.ftLastAccessTime;
    entry.ftLastWriteTime = wide.ftLastWriteTime;
    entry.nFileSizeHigh = wide.nFileSizeHigh;
    entry.nFileSizeLow = wide.nFileSizeLow;
    entry.dwReserved0 = wide.dwReserved0;
    entry.dwReserved1 = wide.dwReserved1;
    CopyCut(Narrow(wide.cFileName), entry.cFileName, sizeof entry.cFileName);
    CopyCut(Narrow(wide.cAlternateFileName), entry.cAlternateFileName,
            sizeof entry.cAlternateFileName);
}

// The ANSI answer for a path of `text` to a buffer of `size` bytes: the bytes copied, or,
// when it does not fit, the size it needs with its NUL and nothing copied.
DWORD PathAnswer(const std::string& text, LPSTR buffer, DWORD size) {
    if (text.size() >= size)
        return static_cast<DWORD>(text.size() + 1);
    return static_cast<DWORD>(CopyCut(text, buffer, size));
}

}  // namespace

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
    std::wstring path;
    if (!SystemPath(lpFileName, path))
        return INVALID_HANDLE_VALUE;
    return ::CreateFileW(path.c_str(), dwDesiredAccess, dwShareMode, lpSecurityAttributes,
                         dwCreationDisposition, dwFlagsAndAttributes, hTemplateFile);
}

BOOL DeleteFileA(LPCSTR lpFileName) {
    std::wstring path;
    return SystemPath(lpFileName, path) && ::DeleteFileW(path.c_str());
}

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes) {
    std::wstring path;
    return SystemPath(lpPathName, path) && ::CreateDirectoryW(path.c_str(), lpSecurityAttributes);
}

BOOL RemoveDirectoryA(LPCSTR lpPathName) {
    std::wstring path;
    return SystemPath(lpPathName, path) && ::RemoveDirectoryW(path.c_str());
}

DWORD GetFileAttributesA(LPCSTR lpFileName) {
    std::wstring path;
    return SystemPath(lpFileName, path) ? ::GetFileAttributesW(path.c_str())
                                        : INVALID_FILE_ATTRIBUTES;
}

BOOL GetFileAttributesExA(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                          LPVOID lpFileInformation) {
    // The standard level's answer holds no text: the same structure for both forms.
    std::wstring path;
    return SystemPath(lpFileName, path) &&
           ::GetFileAttributesExW(path.c_str(), fInfoLevelId, lpFileInformation);
}

DWORD GetFinalPathNameByHandleA(HANDLE hFile, LPSTR lpszFilePath, DWORD cchFilePath,
                                DWORD dwFlags) {
    std::wstring wide(MAX_PATH, L'\0');
    DWORD length = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        length = ::GetFinalPathNameByHandleW(hFile, wide.data(), static_cast<DWORD>(wide.size()),
                                             dwFlags);
        if (length < wide.size())
            break;
        wide.resize(length + 1);  // the size it needs, one more where the NUL is not counted
    }
    if (length == 0 || length >= wide.size())
        return 0;
    const KeepLastError kept;
    wide.resize(length);
    return PathAnswer(Narrow(wide), lpszFilePath, cchFilePath);
}

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    std::wstring path;
    if (!SystemPath(lpFileName, path))
        return INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW wide;
    HANDLE search = ::FindFirstFileW(path.c_str(), &wide);
    if (search != INVALID_HANDLE_VALUE)
        NarrowEntry(wide, *lpFindFileData);
    return search;
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    WIN32_FIND_DATAW wide;
    if (!::FindNextFileW(hFindFile, &wide))
        return FALSE;
    NarrowEntry(wide, *lpFindFileData);
    return TRUE;
}

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    std::vector<wchar_t> wide(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = ::GetModuleFileNameW(hModule, wide.data(), static_cast<DWORD>(wide.size()));
        if (length < wide.size() || wide.size() > kMaxLongPath)
            break;
        wide.resize(wide.size() * 2);
    }
    if (length == 0 || nSize == 0)
        return 0;
    const std::string name = Narrow(std::wstring_view(wide.data(), length));
    // As the ANSI function does: a name that does not fit is cut to the buffer, and the
    // buffer's size is returned.
    const std::size_t copied = CopyCut(name, lpFilename, nSize);
    if (copied < name.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    return static_cast<DWORD>(copied);
}

}  // namespace w32wide
