#include "tests/scenario/TreeSnapshot.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>

#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::int64_t Nanos(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

}  // namespace

TreeEntry Entry(const fs::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return {};
    TreeEntry e{'?', "", st.st_size, Nanos(st.st_mtim), st.st_ino, Nanos(st.st_ctim)};
    if (S_ISREG(st.st_mode)) {
        e.kind = 'f';
        e.content = ReadFileText(path);
    } else if (S_ISDIR(st.st_mode)) {
        e.kind = 'd';
        e.ctimeNs = 0;  // a folder's times move with its entries, which are compared themselves
        e.mtimeNs = 0;
    } else if (S_ISLNK(st.st_mode)) {
        e.kind = 'l';
        e.content = fs::read_symlink(path).native();
    }
    return e;
}

TreeSnapshot Snapshot(const fs::path& root, const std::vector<fs::path>& skipped) {
    TreeSnapshot tree;
    auto it = fs::recursive_directory_iterator(root);  // links are never followed
    for (; it != fs::recursive_directory_iterator(); ++it) {
        if (std::ranges::find(skipped, it->path()) != skipped.end())
            it.disable_recursion_pending();
        else
            tree[it->path().lexically_relative(root)] = Entry(it->path());
    }
    return tree;
}

std::string Differences(const TreeSnapshot& before, const TreeSnapshot& after) {
    std::string out;
    for (const auto& [path, entry] : before) {
        auto found = after.find(path);
        if (found == after.end())
            out += "deleted: " + path.native() + "\n";
        else if (!(found->second == entry))
            out += "changed: " + path.native() + "\n";
    }
    for (const auto& [path, entry] : after)
        out += before.contains(path) ? "" : "created: " + path.native() + "\n";
    return out;
}

bool SameTimeAndSize(const TreeEntry& a, const TreeEntry& b) {
    using std::chrono::floor, std::chrono::seconds, std::chrono::nanoseconds;
    return a.size == b.size &&
           floor<seconds>(nanoseconds(a.mtimeNs)) == floor<seconds>(nanoseconds(b.mtimeNs));
}
