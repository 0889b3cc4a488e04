#include <cstring>
#include <limits>

#include "platform/windows/WideCalls.h"
#include "platform/windows/WideText.h"

namespace w32wide {

namespace {

// CreateDirectoryW's limit, the lowest of the plain forms: MAX_PATH less an 8.3 name.
constexpr std::size_t kPlainLimit = MAX_PATH - 12;

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// "C:\..." or "\\...": a path whose full form is never longer than its text.
bool IsFullPath(std::wstring_view path) {
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return true;
    return path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]) &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// \\?\ (no processing at all) and \\.\ (the device space) are taken as written.
bool HasPrefix(std::wstring_view path) {
    return path.size() >= 4 && path[0] == L'\\' && path[1] == L'\\' &&
           (path[2] == L'?' || path[2] == L'.') && path[3] == L'\\';
}

bool TooLong() {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return {};
    const int length = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), units);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty() || wide.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return {};
    const int length = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::size_t CopyCut(std::string_view text, char* buffer, std::size_t size) {
    std::size_t length = text.size() < size ? text.size() : size - 1;
    // Back to the start of the character that the cut would split.
    if (length < text.size()) {
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return length;
}

bool SystemPath(const char* path, std::wstring& systemPath) {
    systemPath = Widen(path ? path : "");
    if (systemPath.size() > kMaxLongPath)
        return TooLong();
    if (HasPrefix(systemPath) || (systemPath.size() < kPlainLimit && IsFullPath(systemPath)))
        return true;
    // The prefix turns off the system's own processing of the path, so the full path is made
    // first, by the same rules.
    const DWORD needed = GetFullPathNameW(systemPath.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return true;  // the call itself gives the error this path deserves
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(systemPath.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return true;
    full.resize(length);
    if (full.size() < kPlainLimit || HasPrefix(full))
        return true;
    if (IsSeparator(full[0]) && IsSeparator(full[1]))
        systemPath = L"\\\\?\\UNC\\" + full.substr(2);
    else
        systemPath = L"\\\\?\\" + full;
    return systemPath.size() <= kMaxLongPath || TooLong();
}

}  // namespace w32wide
