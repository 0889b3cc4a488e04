#include "engine/ProgramEntries.h"

#include <vector>

#include "fileio/PathText.h"

namespace engine {

namespace {

bool IsSep(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
#ifdef _WIN32
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
#else
    return a == b;
#endif
}

bool IsOwnName(std::string_view name) {
    return SameName(name, kVersionsFolderName) || SameName(name, kMirrorMarkName);
}

std::string_view WithoutFinalSeps(std::string_view folder) {
    while (!folder.empty() && IsSep(folder.back()))
        folder.remove_suffix(1);
    return folder;
}

}  // namespace

bool IsSyncToFolder(std::string_view syncTo, std::string_view dir) {
    return !syncTo.empty() && WithoutFinalSeps(syncTo) == WithoutFinalSeps(dir);
}

bool IsProgramEntry(std::string_view syncTo, std::string_view dir, std::string_view name) {
    // The name first: it rules out nearly every entry without looking at the folder.
    return IsOwnName(name) && IsSyncToFolder(syncTo, dir);
}

std::string VersionsFolder(std::string_view syncTo) {
    std::string folder(syncTo);
    if (!EndsWithSep(syncTo))
        folder += kSepText;
    return folder += kVersionsFolderName;
}

bool InVersionsFolder(std::string_view syncTo, std::string_view folder) {
    if (folder.size() <= syncTo.size())
        return false;
    // The levels below the Sync To directory, "." and ".." worked out as the system would;
    // only the first one that remains matters.
    std::vector<std::string_view> levels;
    std::string_view rest = folder.substr(syncTo.size());
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && !IsSep(rest[end]))
            ++end;
        const std::string_view level = rest.substr(0, end);
        rest.remove_prefix(end == rest.size() ? end : end + 1);
        if (level.empty() || level == ".")
            continue;
        if (level == "..") {
            if (levels.empty())
                return false;  // above the Sync To directory
            levels.pop_back();
            continue;
        }
        levels.push_back(level);
    }
    return !levels.empty() && SameName(levels.front(), kVersionsFolderName);
}

}  // namespace engine
