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
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("brannock-test-" + std::to_string(rd()) +
                                                          "-" + std::to_string(++counter));
        std::error_code ec;
        if (fs::create_directory(candidate, ec))
            path_ = candidate;
    }
    if (path_.empty())
        throw std::runtime_error("cannot create a temporary folder");
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
#ifdef _WIN32
    // The program runs with the UTF-8 code page, so its narrow texts are UTF-8.
    auto u8 = p.u8string();
    return std::string(u8.begin(), u8.end());
#else
    return p.string();
#endif
}

bool RunningAsRoot() {
#ifdef _WIN32
    return false;
#else
    return geteuid() == 0;
#endif
}
