#include "tests/scenario/ScenarioTrees.h"

#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

void Put(const fs::path& file, const std::string& content, std::int64_t seconds) {
    WriteFile(file, content);
    SetWriteTime(file, seconds, 0);
}

void PutCopy(const fs::path& source, const fs::path& copy) {
    fs::create_directories(copy.parent_path());
    fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
    fs::last_write_time(copy, fs::last_write_time(source));
}
