// Small helpers that lay out the folders of a scenario.
#pragma once

#include <filesystem>
#include <string>

// Writes `content` to `file` (its folders created) with its last write at `seconds` past the
// epoch.
void Put(const std::filesystem::path& file, const std::string& content,
         std::int64_t seconds = 1700000000);
// Copies `source` to `copy` with the same last-write time, as an earlier cycle would have.
void PutCopy(const std::filesystem::path& source, const std::filesystem::path& copy);
