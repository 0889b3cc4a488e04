#include "fileio/FolderIdentity.h"

#include <algorithm>
#include <vector>

#include "fileio/PathText.h"

namespace folders {

namespace {

// An open folder, closed on every way out; opened to be looked at only.
class OpenFolder {
  public:
    explicit OpenFolder(const std::string& path)
        : handle_(path.empty()
                      ? INVALID_HANDLE_VALUE
                      : CreateFileA(path.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
    ~OpenFolder() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    std::optional<FolderId> Identity() const {
        BY_HANDLE_FILE_INFORMATION info{};
        if (handle_ == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle_, &info) ||
            (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            return std::nullopt;
        }
        return FolderId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    }

    // The folder's path with every link on the way resolved; empty when the system cannot
    // tell it.
    std::string FinalPath() const {
        std::string path(MAX_PATH, '\0');
        for (int attempt = 0; attempt < 2; ++attempt) {
            DWORD length =
                GetFinalPathNameByHandleA(handle_, path.data(), static_cast<DWORD>(path.size()),
                                          FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
            if (length == 0)
                return {};
            if (length < path.size()) {
                path.resize(length);
                return path;
            }
            path.resize(length + 1);  // the size needed; Wine wants one more than it says
        }
        return {};
    }

  private:
    HANDLE handle_;
};

// The folder above `path`, which must end without a separator unless it is a root; `path`
// itself at a root.
std::string ParentFolder(const std::string& path) {
    auto sep = path.find_last_of("\\/");
    if (sep == std::string::npos)
        return path;
    std::string parent = path.substr(0, sep);
    // A root keeps its separator: "/" and "C:\" name folders, "" and "C:" do not.
    if (parent.empty() || parent.back() == ':')
        parent = path.substr(0, sep + 1);
    return parent;
}

}  // namespace

std::optional<FolderId> IdentityOf(const std::string& path) {
    return OpenFolder(path).Identity();
}

std::string FinalPathOf(const std::string& path) {
    const OpenFolder folder(path);
    if (!folder.Identity())
        return {};
    std::string resolved = folder.FinalPath();
#ifdef _WIN32
    // The system answers with the long-path form; people know the folder by its usual name.
    if (resolved.starts_with("\\\\?\\UNC\\"))
        resolved.replace(0, 8, "\\\\");
    else if (resolved.starts_with("\\\\?\\"))
        resolved.erase(0, 4);
#endif
    return resolved;
}

bool IsRoot(const std::string& finalPath) {
    return !finalPath.empty() && ParentFolder(finalPath) == finalPath;
}

namespace {

// The folder's identity and its real ancestors' (the folders of its path with links
// resolved), nearest first; empty when `path` names no folder.
std::vector<FolderId> SelfAndAncestors(const std::string& folderPath) {
    std::vector<FolderId> chain;
    std::string path;
    {
        OpenFolder folder(folderPath);
        const std::optional<FolderId> self = folder.Identity();
        if (!self)
            return chain;
        chain.push_back(*self);
        path = folder.FinalPath();
    }
    for (std::string parent = ParentFolder(path); !path.empty() && parent != path;
         parent = ParentFolder(path)) {
        path = parent;
        if (std::optional<FolderId> id = IdentityOf(path))
            chain.push_back(*id);
    }
    return chain;
}

bool Holds(const std::vector<FolderId>& chain, const FolderId& id) {
    return std::find(chain.begin() + 1, chain.end(), id) != chain.end();
}

}  // namespace

// Identities, not texts: a second name of a folder (a link, a second mount) is still that
// folder, and its ancestors are found through its resolved path.
Nesting Nest(const std::string& first, const std::string& second) {
    const std::vector<FolderId> a = SelfAndAncestors(first);
    if (a.empty())
        return Nesting::Apart;
    const std::vector<FolderId> b = SelfAndAncestors(second);
    if (b.empty())
        return Nesting::Apart;
    if (a.front() == b.front())
        return Nesting::Same;
    if (Holds(a, b.front()))
        return Nesting::FirstInside;
    if (Holds(b, a.front()))
        return Nesting::SecondInside;
    return Nesting::Apart;
}

namespace {

// A folder level that names no folder of its own but climbs or stays ("." and ".."; on Windows
// also any level of dots and spaces alone, which the system reads the same way). The copies
// of such a folder would be placed by the same climb from the Sync To directory, outside it.
bool IsClimbingLevel(std::string_view level) {
#ifdef _WIN32
    return !level.empty() && level.find_first_not_of(". ") == std::string_view::npos &&
           level.find('.') != std::string_view::npos;
#else
    return level == "." || level == "..";
#endif
}

#ifdef _WIN32
constexpr const char* kSeps = "\\/";
#else
constexpr const char* kSeps = "/";
#endif

bool HasClimbingLevel(const std::string& entry) {
    // The mask after the last separator is no folder.
    const std::size_t end = entry.find_last_of(kSeps);
    if (end == std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= end) {
        std::size_t sep = entry.find_first_of(kSeps, start);
        if (IsClimbingLevel(std::string_view(entry).substr(start, sep - start)))
            return true;
        start = sep + 1;
    }
    return false;
}

bool StartsAsFullPath(const std::string& entry) {
#ifdef _WIN32
    auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    auto isSep = [](char c) { return c == '\\' || c == '/'; };
    if (entry.size() >= 3 && isLetter(entry[0]) && entry[1] == ':' && isSep(entry[2]))
        return true;
    return entry.size() >= 2 && isSep(entry[0]) && isSep(entry[1]);
#else
    return !entry.empty() && entry.front() == kSep;
#endif
}

}  // namespace

bool IsFullPath(const std::string& entry) {
    return StartsAsFullPath(entry) && !HasClimbingLevel(entry);
}

std::string FullPathExample() {
#ifdef _WIN32
    return "C:\\Data\\*.*";
#else
    return "/home/me/Documents/*.*";
#endif
}

}  // namespace folders
