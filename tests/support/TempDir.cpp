#include "tests/support/TempDir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

TempDir::TempDir() {
    // A random name for each process, a count for each folder within it.
    static const std::string prefix = "brannock-test-" + std::to_string(std::random_device()());
    static std::atomic<unsigned> counter{0};
    path_ = fs::temp_directory_path() / (prefix + "-" + std::to_string(++counter));
    if (!fs::create_directory(path_))
        throw std::runtime_error("cannot create the temporary folder " + Narrow(path_));
}

TempDir::~TempDir() {
    std::error_code ec;
    // Read-only files and folders would stop remove_all on some platforms: open them first.
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::str(const std::string& sub) const {
    return sub.empty() ? Narrow(path_) : Narrow(path_ / sub);
}

void WriteFile(const fs::path& file, const std::string& content) {
    if (file.has_parent_path())
        fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + Narrow(file));
    out << content;
}

void WriteFileOfSize(const fs::path& file, std::int64_t size) {
    std::string data(static_cast<std::size_t>(size), '\0');
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>('a' + i % 26);
    WriteFile(file, data);
}

std::string ReadFileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SetWriteTime(const fs::path& file, std::int64_t secondsSinceEpoch, std::int64_t nanos) {
    auto sys = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(secondsSinceEpoch) + std::chrono::nanoseconds(nanos)));
    // file_clock's own conversions: GCC 12's library has no clock_cast.
    fs::last_write_time(file, std::chrono::time_point_cast<fs::file_time_type::duration>(
                                  std::chrono::file_clock::from_sys(sys)));
}

std::int64_t WriteTimeSeconds(const fs::path& file) {
    auto sys = std::chrono::file_clock::to_sys(fs::last_write_time(file));
    return std::chrono::duration_cast<std::chrono::seconds>(sys.time_since_epoch()).count();
}

std::string Narrow(const fs::path& p) {
    // The program runs with the UTF-8 code page on Windows, so its narrow texts are UTF-8;
    // elsewhere a path's UTF-8 is its own bytes, whatever they are.
    auto u8 = p.u8string();
    return std::string(u8.begin(), u8.end());
}

bool RunningAsRoot() {
#ifdef _WIN32
    return false;
#else
    return geteuid() == 0;
#endif
}
