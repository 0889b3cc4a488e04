// What a folder tree holds, taken without following any link: the entries by their path below
// the tree's root, each with its kind, content (or a link's target) and identity. Two snapshots
// compare equal when nothing in the tree was created, changed or deleted.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

struct TreeEntry {
    char kind = '?';      // 'f' file, 'd' folder, 'l' link, '?' anything else
    std::string content;  // a file's bytes, a link's target
    std::int64_t size = 0;
    std::int64_t mtimeNs = 0;
    ino_t inode = 0;
    std::int64_t ctimeNs = 0;  // changes with any rewrite, even one that restores the times
    bool operator==(const TreeEntry&) const = default;
};

using TreeSnapshot = std::map<std::filesystem::path, TreeEntry>;

// The entry at `path` itself (a link is taken as the link); kind '?' when there is none.
TreeEntry Entry(const std::filesystem::path& path);

// The tree below `root`, leaving out the entries at or below any of `skipped` (full paths).
TreeSnapshot Snapshot(const std::filesystem::path& root,
                      const std::vector<std::filesystem::path>& skipped = {});

// One line per entry created, changed or deleted between the two; empty when none was.
std::string Differences(const TreeSnapshot& before, const TreeSnapshot& after);

// An entry as the program compares it: last-write time to the whole second, then the size.
bool SameTimeAndSize(const TreeEntry& a, const TreeEntry& b);
