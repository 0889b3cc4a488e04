#include "bench/TreeGen.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <future>
#include <stdexcept>

namespace {

// splitmix64: fast, and the same stream on every platform for the same seed.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    void Fill(char* data, std::size_t size) {
        std::size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            std::uint64_t word = Next();
            std::copy_n(reinterpret_cast<const char*>(&word), 8, data + i);
        }
        std::uint64_t word = Next();
        std::copy_n(reinterpret_cast<const char*>(&word), size - i, data + i);
    }

  private:
    std::uint64_t state_;
};

void WriteRandomFile(const fs::path& file, std::int64_t size, Random& random) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::vector<char> chunk(static_cast<std::size_t>(std::min<std::int64_t>(size, kMiB)));
    for (std::int64_t left = size; left > 0;) {
        auto n = static_cast<std::size_t>(std::min<std::int64_t>(left, kMiB));
        random.Fill(chunk.data(), n);
        out.write(chunk.data(), static_cast<std::streamsize>(n));
        left -= static_cast<std::int64_t>(n);
    }
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string FileName(int index) {
    static constexpr std::array<const char*, 4> kExtensions = {".txt", ".dat", ".cpp", ".bin"};
    char name[32];
    std::snprintf(name, sizeof name, "file-%05d%s", index, kExtensions[index % 4]);
    return name;
}

std::vector<fs::path> SortedFiles(const fs::path& root) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            files.push_back(entry.path().lexically_relative(root));
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadRange(const fs::path& file, std::int64_t offset, std::int64_t size) {
    std::ifstream in(file, std::ios::binary);
    in.seekg(offset);
    std::string data(static_cast<std::size_t>(size), '\0');
    in.read(data.data(), size);
    data.resize(static_cast<std::size_t>(in.gcount()));
    return data;
}

bool SameContents(const fs::path& a, const fs::path& b, std::int64_t size) {
    if (size <= 3 * kMiB)
        return ReadRange(a, 0, size) == ReadRange(b, 0, size);
    for (std::int64_t offset : {std::int64_t{0}, size / 2, size - kMiB}) {
        if (ReadRange(a, offset, kMiB) != ReadRange(b, offset, kMiB))
            return false;
    }
    return true;
}

long long WriteSecond(const fs::path& file) {
    auto since = fs::last_write_time(file).time_since_epoch();
    return std::chrono::floor<std::chrono::seconds>(since).count();
}

std::string CompareFile(const fs::path& source, const fs::path& copy) {
    std::error_code error;
    auto size = static_cast<std::int64_t>(fs::file_size(source));
    auto copySize = fs::file_size(copy, error);
    if (error)
        return copy.string() + " is missing";
    if (static_cast<std::int64_t>(copySize) != size)
        return copy.string() + " differs in size";
    if (WriteSecond(copy) != WriteSecond(source)) {
        return copy.string() + " differs in last-write time";
    }
    if (!SameContents(source, copy, size))
        return copy.string() + " differs in contents";
    return {};
}

}  // namespace

std::vector<fs::path> FolderLayout(int count) {
    std::vector<fs::path> folders;
    std::vector<std::pair<fs::path, int>> parents = {{fs::path(), 0}};  // path, depth
    for (std::size_t next = 0; next < parents.size() && static_cast<int>(folders.size()) < count;
         ++next) {
        auto [parent, depth] = parents[next];
        int fanout = std::max(8 - depth, 2);
        for (int i = 0; i < fanout && static_cast<int>(folders.size()) < count; ++i) {
            fs::path folder =
                parent / ("dir" + std::to_string(depth + 1) + "-" + std::to_string(i));
            folders.push_back(folder);
            parents.push_back({folder, depth + 1});
        }
    }
    return folders;
}

TreeCensus GenerateSmallFileTree(const fs::path& root, int files, int folders, std::uint64_t seed) {
    std::vector<fs::path> layout = FolderLayout(folders);
    for (const auto& folder : layout)
        fs::create_directories(root / folder);
    // Each file has a random stream of its own, so the bytes do not depend on which worker
    // writes them; several workers keep the disk busy while one waits for the file system.
    auto writeFiles = [&](int first, int step) {
        TreeCensus census;
        for (int i = first; i < files; i += step) {
            Random random(seed * 0x100000001B3ull + static_cast<std::uint64_t>(i));
            std::int64_t size = 1024 + static_cast<std::int64_t>(random.Next() % (15 * 1024 + 1));
            WriteRandomFile(
                root / layout[static_cast<std::size_t>(i) % layout.size()] / FileName(i), size,
                random);
            census.files += 1;
            census.bytes += size;
        }
        return census;
    };
    constexpr int kWorkers = 4;
    std::vector<std::future<TreeCensus>> workers;
    for (int w = 0; w < kWorkers; ++w)
        workers.push_back(std::async(std::launch::async, writeFiles, w, kWorkers));
    TreeCensus census;
    for (auto& worker : workers) {
        TreeCensus part = worker.get();
        census.files += part.files;
        census.bytes += part.bytes;
    }
    return census;
}

TreeCensus GenerateLargeFileTree(const fs::path& root, int files, std::int64_t bytes,
                                 std::uint64_t seed) {
    fs::create_directories(root);
    Random random(seed);
    for (int i = 0; i < files; ++i)
        WriteRandomFile(root / FileName(i), bytes, random);
    return {files, files * bytes};
}

TreeCensus CensusOf(const fs::path& root) {
    TreeCensus census;
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file()) {
            census.files += 1;
            census.bytes += static_cast<std::int64_t>(it->file_size());
        }
    }
    return census;
}

std::string CompareSample(const fs::path& source, const fs::path& copy, int every) {
    std::vector<fs::path> files = SortedFiles(source);
    for (std::size_t i = 0; i < files.size(); ++i) {
        bool sampled =
            i % static_cast<std::size_t>(std::max(every, 1)) == 0 || i + 1 == files.size();
        if (!sampled)
            continue;
        std::string difference = CompareFile(source / files[i], copy / files[i]);
        if (!difference.empty())
            return difference;
    }
    return {};
}
