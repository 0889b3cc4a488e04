// Generated source trees: deterministic pseudo-random sizes and contents, so every run and
// every tool sees the same bytes, and the checks that a copy of such a tree is complete.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

struct TreeCensus {
    std::int64_t files = 0;
    std::int64_t bytes = 0;
    bool operator==(const TreeCensus&) const = default;
};

inline constexpr std::int64_t kMiB = 1024 * 1024;

// `count` relative folder paths, a few levels deep (8 top folders, 7 below each, 6 below
// those, ...), parents before their children.
std::vector<fs::path> FolderLayout(int count);

// Writes `files` files of 1 to 16 KiB spread round-robin over FolderLayout(`folders`).
TreeCensus GenerateSmallFileTree(const fs::path& root, int files, int folders, std::uint64_t seed);

// Writes `files` files of `bytes` bytes each directly into `root`.
TreeCensus GenerateLargeFileTree(const fs::path& root, int files, std::int64_t bytes,
                                 std::uint64_t seed);

// Regular files below `root` and their total size; an absent folder counts as empty.
TreeCensus CensusOf(const fs::path& root);

// Compares every `every`-th file of `source` (in sorted order, at least the first and the last)
// with its counterpart below `copy`: size, last-write second and contents (for files over
// 3 MiB, a mebibyte at the start, the middle and the end). Returns "" when all match, else
// what differs.
std::string CompareSample(const fs::path& source, const fs::path& copy, int every);
