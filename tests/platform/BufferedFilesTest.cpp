// Reads ahead and writes held back must look to callers exactly like unbuffered Win32 I/O.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/platform/PlatformTestSupport.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Bytes that differ from one offset to the next, so a block out of place shows.
std::vector<char> Pattern(std::size_t size, unsigned seed = 0) {
    std::vector<char> data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + i / 4093 + seed) & 0xFF);
    return data;
}

std::vector<char> Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

void Save(const fs::path& file, const std::vector<char>& data) {
    std::ofstream out(file, std::ios::binary);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

BOOL Write(HANDLE h, const char* data, std::size_t size, DWORD* written = nullptr) {
    DWORD ignored = 0;
    return WriteFile(h, data, static_cast<DWORD>(size), written ? written : &ignored, nullptr);
}

DWORD SizeOf(HANDLE h) {
    DWORD high = 0;
    DWORD low = GetFileSize(h, &high);
    EXPECT_EQ(high, 0u);
    return low;
}

// Built by appending: gcc 12 at -O3 takes `"t" + std::to_string(...)` for an overlapping copy.
std::string ThreadFile(int thread, int file) {
    std::string name = "t";
    name += std::to_string(thread);
    name += '-';
    name += std::to_string(file);
    return name;
}

class BufferedFilesTest : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return dir.str(name); }
    TempDir dir;
};

}  // namespace

TEST_F(BufferedFilesTest, ManySmallWritesKeepSizeAndContentsThroughTheHandle) {
    // Block sizes that straddle every buffer boundary, then one write larger than any buffer.
    const std::vector<char> data = Pattern(3'000'000 + 4'500'000 + 777);
    HANDLE h = Open(Path("out"), GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::size_t offset = 0;
    const std::pair<std::size_t, std::size_t> phases[] = {
        {1, 1000}, {9999, 600'000}, {10000, 1'200'000}, {262143, 2'800'000}, {3, 3'000'000}};
    for (auto [block, until] : phases) {
        for (; offset + block <= until; offset += block) {
            DWORD written = 0;
            ASSERT_TRUE(Write(h, data.data() + offset, block, &written));
            ASSERT_EQ(written, block);
        }
        ASSERT_EQ(SizeOf(h), offset) << "after blocks of " << block;
    }
    ASSERT_TRUE(Write(h, data.data() + offset, data.size() - offset));
    EXPECT_EQ(SizeOf(h), data.size());
    EXPECT_TRUE(Write(h, data.data(), 0));
    ASSERT_TRUE(CloseHandle(h));
    EXPECT_EQ(Contents(dir.path() / "out"), data);
}

TEST_F(BufferedFilesTest, TimesSetAfterHeldBackWritesSurviveTheClose) {
    const std::vector<char> data = Pattern(100'000);
    HANDLE h = Open(Path("stamped"), GENERIC_WRITE, CREATE_NEW);
    ASSERT_TRUE(Write(h, data.data(), data.size()));
    const FILETIME stamp = FileTimeOf(TicksOf(1400000000));
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &stamp));
    ASSERT_TRUE(CloseHandle(h));
    EXPECT_EQ(WriteTimeSeconds(dir.path() / "stamped"), 1400000000);
    EXPECT_EQ(Contents(dir.path() / "stamped"), data);

    // Writes after the times were set move the last-write time on, as they do on Windows.
    h = Open(Path("stamped"), GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &stamp));
    ASSERT_TRUE(Write(h, data.data(), 10));
    FILETIME written{};
    ASSERT_TRUE(GetFileTime(h, nullptr, nullptr, &written));
    EXPECT_GT(Ticks(written), Ticks(stamp));
    ASSERT_TRUE(CloseHandle(h));
}

TEST_F(BufferedFilesTest, ReadsCrossTheReadAheadAndStopAtTheEnd) {
    const std::vector<char> data = Pattern((std::size_t{2} << 20) + 12345, 7);
    Save(dir.path() / "in", data);
    HANDLE h = Open(Path("in"), GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::vector<char> back;
    std::vector<char> block(10000);
    DWORD read = 0;
    // A small read, one larger than any buffer, then blocks to the end.
    ASSERT_TRUE(ReadFile(h, block.data(), 3, &read, nullptr));
    back.insert(back.end(), block.begin(), block.begin() + read);
    std::vector<char> large(1'500'000);
    ASSERT_TRUE(ReadFile(h, large.data(), static_cast<DWORD>(large.size()), &read, nullptr));
    ASSERT_EQ(read, large.size());
    back.insert(back.end(), large.begin(), large.end());
    std::vector<DWORD> counts;
    do {
        ASSERT_TRUE(ReadFile(h, block.data(), static_cast<DWORD>(block.size()), &read, nullptr));
        counts.push_back(read);
        back.insert(back.end(), block.begin(), block.begin() + read);
    } while (read > 0);
    EXPECT_EQ(back, data);
    ASSERT_GE(counts.size(), 2u);
    EXPECT_EQ(counts[counts.size() - 2], (data.size() - 1'500'003) % 10000);
    EXPECT_TRUE(ReadFile(h, block.data(), static_cast<DWORD>(block.size()), &read, nullptr));
    EXPECT_EQ(read, 0u);

    // What is added after the end was met is read, not an end remembered from before.
    std::ofstream(dir.path() / "in", std::ios::binary | std::ios::app) << "tail";
    ASSERT_TRUE(ReadFile(h, block.data(), static_cast<DWORD>(block.size()), &read, nullptr));
    EXPECT_EQ(std::string(block.data(), read), "tail");
    EXPECT_TRUE(CloseHandle(h));
}

TEST_F(BufferedFilesTest, HandlesUsedFromManyThreadsStayApart) {
    // Every thread opens, writes, looks up and closes its own files, so handle slots are
    // reused across threads all the time; each file must end up with its own thread's bytes.
    constexpr int kThreads = 4;
    constexpr int kFilesEach = 150;
    std::vector<std::thread> threads;
    std::vector<int> failures(kThreads, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const std::vector<char> data = Pattern(30'000, static_cast<unsigned>(t));
            for (int i = 0; i < kFilesEach; ++i) {
                const std::string name = Path(ThreadFile(t, i));
                HANDLE h = Open(name, GENERIC_WRITE, CREATE_NEW);
                bool ok = h != INVALID_HANDLE_VALUE && Write(h, data.data(), 20'000) &&
                          Write(h, data.data() + 20'000, 10'000) && SizeOf(h) == 30'000;
                ok = CloseHandle(h) && ok;
                WIN32_FIND_DATAA found{};
                HANDLE find = FindFirstFileA(name.c_str(), &found);
                ok = ok && find != INVALID_HANDLE_VALUE && found.nFileSizeLow == 30'000;
                ok = ok && FindClose(find);
                failures[static_cast<std::size_t>(t)] += ok ? 0 : 1;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(failures[static_cast<std::size_t>(t)], 0) << "thread " << t;
        const fs::path last = dir.path() / ThreadFile(t, kFilesEach - 1);
        EXPECT_EQ(Contents(last), Pattern(30'000, static_cast<unsigned>(t)));
    }
}

#ifndef _WIN32
// A 1 MB memory file system, filled almost to the brim.
class FullDiskBufferTest : public BufferedFilesTest {
  protected:
    void SetUp() override {
        if (!volume.Mounted())
            GTEST_SKIP() << volume.Why();
        mountPoint = Narrow(volume.path());
    }

    SmallVolume volume{dir.path() / "small"};
    std::string mountPoint;
};

TEST_F(FullDiskBufferTest, HeldBackWritesThatDoNotFitFailTheClose) {
    // 24 KiB stay free: less than the write, which is small enough to be held back.
    Save(fs::path(mountPoint) / "filler", Pattern(1000 * 1024));
    const std::vector<char> data = Pattern(30'000);
    HANDLE h = Open(mountPoint + "/late", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(Write(h, data.data(), data.size()));
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_LAST_ERROR(ERROR_DISK_FULL);
    EXPECT_LT(fs::file_size(fs::path(mountPoint) / "late"), data.size());
}

TEST_F(FullDiskBufferTest, BlockWritesFailWithDiskFullAndLeaveAPartialFile) {
    const std::vector<char> block = Pattern(10000);
    HANDLE h = Open(mountPoint + "/fill", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    int blocks = 0;
    while (blocks < 1000 && Write(h, block.data(), block.size()))
        ++blocks;
    EXPECT_LAST_ERROR(ERROR_DISK_FULL);
    EXPECT_GT(blocks, 0);
    EXPECT_LT(blocks, 1000);
    // The failure was reported once; closing has nothing more to write.
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_GT(fs::file_size(fs::path(mountPoint) / "fill"), 0u);
}
#endif
