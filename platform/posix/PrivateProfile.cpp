#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/posix/Errors.h"
#include "platform/posix/ProfileFile.h"
#include "platform/posix/ProfileWrite.h"

using namespace w32posix;

namespace {

// What tells one version of a file from another without reading it.
struct FileSignature {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec writeTime{};
    timespec changeTime{};

    static FileSignature Of(const struct stat& st) {
        return FileSignature{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
    }
    bool operator==(const FileSignature& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               writeTime.tv_sec == other.writeTime.tv_sec &&
               writeTime.tv_nsec == other.writeTime.tv_nsec &&
               changeTime.tv_sec == other.changeTime.tv_sec &&
               changeTime.tv_nsec == other.changeTime.tv_nsec;
    }
};

struct CachedProfile {
    FileSignature signature;
    std::shared_ptr<const ProfileFile> profile;
};

// Settings are read for every file of a sync pass, so parsed files are kept, keyed by the path
// as given, and checked against the file with one stat per call.
std::mutex g_cacheMutex;
std::unordered_map<std::string, CachedProfile> g_cache;
constexpr std::size_t kMaxCachedFiles = 32;

void Remember(const std::string& path, const FileSignature& signature,
              std::shared_ptr<const ProfileFile> profile) {
    if (g_cache.size() >= kMaxCachedFiles && !g_cache.count(path))
        g_cache.clear();
    g_cache[path] = CachedProfile{signature, std::move(profile)};
}

bool ReadAll(const std::string& path, std::string& text) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char block[8192];
    for (;;) {
        ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            int err = errno;
            ::close(fd);
            errno = err;
            return n == 0;
        }
        text.append(block, static_cast<std::size_t>(n));
    }
}

// The parsed file, from the cache while the file is unchanged; nullptr (last error set) when
// it cannot be read. Call with the cache lock held.
std::shared_ptr<const ProfileFile> Load(const std::string& path, struct stat* found = nullptr) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        SetErrorFromErrno(errno, path);
        g_cache.erase(path);
        return nullptr;
    }
    if (found)
        *found = st;
    FileSignature signature = FileSignature::Of(st);
    auto cached = g_cache.find(path);
    if (cached != g_cache.end() && cached->second.signature == signature) {
        return cached->second.profile;
    }
    std::string text;
    if (S_ISDIR(st.st_mode) || !ReadAll(path, text)) {
        SetErrorFromErrno(S_ISDIR(st.st_mode) ? EACCES : errno, path);
        return nullptr;
    }
    auto profile = std::make_shared<const ProfileFile>(ProfileFile::Parse(text));
    Remember(path, signature, profile);
    return profile;
}

std::shared_ptr<const ProfileFile> LoadLocked(const std::string& path) {
    std::lock_guard lock(g_cacheMutex);
    return Load(path);
}

// Copies `text` cut to nSize - 1 characters and a terminator; returns the count copied.
DWORD CopyOut(std::string_view text, LPSTR buffer, DWORD nSize) {
    std::size_t count = std::min<std::size_t>(text.size(), nSize - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<DWORD>(count);
}

// Copies names each followed by a terminator, and one more terminator at the end. A list that
// does not fit is cut, its last name ending in two terminators, and nSize - 2 is returned.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD nSize) {
    std::string list;
    for (const auto& name : names) {
        list += name;
        list += '\0';
    }
    if (list.size() + 1 <= nSize) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        return static_cast<DWORD>(list.size());
    }
    if (nSize < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, list.data(), nSize - 2);
    buffer[nSize - 2] = '\0';
    buffer[nSize - 1] = '\0';
    return nSize - 2;
}

std::string WithoutTrailingBlanks(LPCSTR text) {
    std::string value = text ? text : "";
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.pop_back();
    return value;
}

// Leading blanks, an optional sign, then decimal digits or "0x" and hexadecimal digits; the
// number ends at the first other character. Overflow wraps, as 32-bit arithmetic does.
UINT ParseProfileInt(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos)
        return 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-')
        negative = text[i++] == '-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    UINT value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) {
            digit = static_cast<unsigned>((c | 0x20) - 'a' + 10);
        } else {
            break;
        }
        value = value * base + digit;
    }
    return negative ? 0u - value : value;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    if (!lpReturnedString || nSize == 0)
        return 0;
    std::shared_ptr<const ProfileFile> profile;
    if (lpFileName)
        profile = LoadLocked(lpFileName);
    if (!lpAppName) {
        return CopyList(profile ? profile->SectionNames() : std::vector<std::string>{},
                        lpReturnedString, nSize);
    }
    if (!lpKeyName) {
        return CopyList(profile ? profile->KeyNames(lpAppName) : std::vector<std::string>{},
                        lpReturnedString, nSize);
    }
    std::optional<std::string> value;
    if (profile)
        value = profile->Value(lpAppName, lpKeyName);
    if (!value)
        value = WithoutTrailingBlanks(lpDefault);
    return CopyOut(*value, lpReturnedString, nSize);
}

UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
    if (!lpAppName || !lpKeyName || !lpFileName)
        return static_cast<UINT>(nDefault);
    auto profile = LoadLocked(lpFileName);
    std::optional<std::string> value;
    if (profile)
        value = profile->Value(lpAppName, lpKeyName);
    return value ? ParseProfileInt(*value) : static_cast<UINT>(nDefault);
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName) {
    // With everything null Windows flushes its cache; this layer writes through at once.
    if (!lpAppName && !lpKeyName && !lpString)
        return TRUE;
    if (!lpAppName || !lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string path = lpFileName;
    std::lock_guard lock(g_cacheMutex);
    struct stat st {};
    std::shared_ptr<const ProfileFile> current = Load(path, &st);
    bool exists = current != nullptr;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND)
        return FALSE;
    // Windows will not write a file with the read-only attribute, whoever asks.
    if (exists && !(st.st_mode & S_IWUSR)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    ProfileFile changed = exists ? *current : ProfileFile::Parse("");
    if (!lpKeyName) {
        changed.DeleteSection(lpAppName);
    } else if (!lpString) {
        changed.DeleteKey(lpAppName, lpKeyName);
    } else {
        changed.SetValue(lpAppName, lpKeyName, lpString);
    }
    std::string text = changed.Serialise();
    if (exists && text == current->Serialise())
        return TRUE;
    if (!exists && text.empty())
        return TRUE;
    if (!SaveProfileText(path, text, exists ? &st : nullptr))
        return FALSE;
    // What is kept is what a fresh start will parse from the file: a value that held a line
    // break reads back as the lines the file now has, not as the value that was written.
    struct stat written {};
    if (::stat(path.c_str(), &written) == 0) {
        Remember(path, FileSignature::Of(written),
                 std::make_shared<const ProfileFile>(ProfileFile::Parse(text)));
    }
    return TRUE;
}
