#include "engine/PathMapping.h"

namespace pathmap {

namespace {

bool EndsWith(std::string_view text, char c) {
    return !text.empty() && text.back() == c;
}

// The part of a destination folder below the Sync To directory, without a leading separator.
// The destination folder always starts with the Sync To text, so only the lengths matter.
std::string_view RelativePart(std::string_view syncTo, std::string_view destDir, char sep) {
    if (destDir.size() <= syncTo.size())
        return {};
    std::string_view rel = destDir.substr(syncTo.size());
    if (rel.front() == sep)
        rel.remove_prefix(1);
    return rel;
}

bool IsDriveLetter(std::string_view drive) {
    if (drive.size() != 1)
        return false;
    char c = drive.front();
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string DestinationFolderWindows(std::string_view syncTo, std::string_view sourceDir) {
    // The drive letter loses its colon and becomes a folder of its own. A path without a
    // colon (a network path) is appended whole.
    std::string_view drive;
    std::string_view rest = sourceDir;
    if (auto colon = sourceDir.find(':'); colon != std::string_view::npos) {
        drive = sourceDir.substr(0, colon);
        rest = sourceDir.substr(colon + 1);
    }
    std::string folder(syncTo);
    if (!EndsWith(syncTo, '\\'))
        folder += '\\';
    folder += drive;
    folder += rest;
    return folder;
}

std::optional<std::string> SourcePathWindows(std::string_view syncTo, std::string_view destDir,
                                             std::string_view name) {
    std::string_view rel = RelativePart(syncTo, destDir, '\\');
    auto sep = rel.find('\\');
    if (sep == std::string_view::npos)
        return std::nullopt;
    std::string_view drive = rel.substr(0, sep);
    if (!IsDriveLetter(drive))
        return std::nullopt;
    std::string source(drive);
    source += ':';
    source += rel.substr(sep);
    source += '\\';
    source += name;
    return source;
}

std::string DestinationFolderPosix(std::string_view syncTo, std::string_view sourceDir) {
    std::string folder(syncTo);
    bool toEnds = EndsWith(syncTo, '/');
    bool dirStarts = !sourceDir.empty() && sourceDir.front() == '/';
    if (toEnds && dirStarts) {
        sourceDir.remove_prefix(1);
    } else if (!toEnds && !dirStarts) {
        folder += '/';
    }
    folder += sourceDir;
    return folder;
}

std::optional<std::string> SourcePathPosix(std::string_view syncTo, std::string_view destDir,
                                           std::string_view name) {
    std::string_view rel = RelativePart(syncTo, destDir, '/');
    if (rel.empty())
        return std::nullopt;
    std::string source = "/";
    source += rel;
    source += '/';
    source += name;
    return source;
}

}  // namespace pathmap
