// Opening, reading, writing and deleting files and folders, with Windows' results and error
// codes. Reads ahead and writes held back must look to callers exactly like unbuffered I/O.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "tests/platform/PlatformTestSupport.h"

namespace fs = std::filesystem;

namespace {

using FilesTest = PlatformTest;

// Bytes that differ from one offset to the next, so a block out of place shows.
std::string Pattern(std::size_t size, unsigned seed = 0) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + i / 4093 + seed) & 0xFF);
    return data;
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

void ExpectOpens(const std::string& path, DWORD access, DWORD disposition) {
    HANDLE h = Open(path, access, disposition);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path << " disposition " << disposition;
    EXPECT_TRUE(CloseHandle(h));
}

void ExpectRefused(const std::string& path, DWORD access, DWORD disposition, DWORD error) {
    EXPECT_EQ(Open(path, access, disposition), INVALID_HANDLE_VALUE)
        << "disposition " << disposition;
    EXPECT_EQ(GetLastError(), error) << "disposition " << disposition;
}

}  // namespace

TEST_F(FilesTest, OpeningAndCreatingGiveWindowsErrors) {
    const std::string f = Path("f.txt");
    ExpectRefused(f, GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND);
    ExpectRefused(f, GENERIC_WRITE, OPEN_EXISTING, ERROR_FILE_NOT_FOUND);
    ExpectRefused(Path("no") + kSep + "f.txt", GENERIC_READ, OPEN_EXISTING, ERROR_PATH_NOT_FOUND);
    ExpectRefused(Path("no") + kSep + "f.txt", GENERIC_WRITE, CREATE_NEW, ERROR_PATH_NOT_FOUND);
    ExpectOpens(f, GENERIC_WRITE, CREATE_NEW);
    ExpectRefused(f, GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS);
    WriteFile(dir.path() / "f.txt", "contents");
    ExpectOpens(f, GENERIC_WRITE, OPEN_EXISTING);
    EXPECT_EQ(ReadFileText(dir.path() / "f.txt"), "contents");
}

TEST_F(FilesTest, ReadOnlyFilesAreRefusedEvenToAdministrators) {
    WriteFile(dir.path() / "ro.txt", "keep");
    fs::permissions(dir.path() / "ro.txt",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EQ(GetFileAttributesA(Path("ro.txt").c_str()) & FILE_ATTRIBUTE_READONLY,
              DWORD{FILE_ATTRIBUTE_READONLY});
    ExpectOpens(Path("ro.txt"), GENERIC_READ, OPEN_EXISTING);
    const BOOL deleted = DeleteFileA(Path("ro.txt").c_str());
    const DWORD error = GetLastError();
    EXPECT_FALSE(deleted);
    EXPECT_TRUE(fs::exists(dir.path() / "ro.txt"));
    if (RunningUnderWine())
        GTEST_SKIP() << "Wine run by root refuses the deletion without a reason and lets "
                        "root write read-only files";
    EXPECT_EQ(error, DWORD{ERROR_ACCESS_DENIED});
    ExpectRefused(Path("ro.txt"), GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadFileText(dir.path() / "ro.txt"), "keep");
}

TEST_F(FilesTest, FoldersAreCreatedAndRemovedWithWindowsErrors) {
    const std::string folder = Path("folder");
    EXPECT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_LAST_ERROR(ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryA((Path("no") + kSep + "folder").c_str(), nullptr));
    EXPECT_LAST_ERROR(ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(DeleteFileA(folder.c_str()));
    EXPECT_LAST_ERROR(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(DeleteFileA(Path("none").c_str()));
    EXPECT_LAST_ERROR(ERROR_FILE_NOT_FOUND);

    WriteFile(dir.path() / "folder" / "f", "x");
    EXPECT_FALSE(RemoveDirectoryA(folder.c_str()));
    EXPECT_LAST_ERROR(ERROR_DIR_NOT_EMPTY);
    EXPECT_FALSE(RemoveDirectoryA((folder + kSep + "f").c_str()));
    EXPECT_LAST_ERROR(ERROR_DIRECTORY);
    EXPECT_TRUE(DeleteFileA((folder + kSep + "f").c_str()));
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_LAST_ERROR(ERROR_FILE_NOT_FOUND);
}

TEST_F(FilesTest, BlocksOfEverySizeWriteAndReadBackThroughTheBuffers) {
    // Block sizes that straddle every buffer boundary, then one write larger than any buffer.
    const std::string data = Pattern(3'000'000 + 4'500'000 + 777);
    HANDLE h = Open(Path("f"), GENERIC_WRITE, CREATE_NEW);
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

    // A small read, so that no block lines up with the read-ahead, then blocks to the end.
    h = Open(Path("f"), GENERIC_READ, OPEN_EXISTING);
    std::string block(10000, '\0');
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(h, block.data(), 3, &read, nullptr));
    std::string back = block.substr(0, read);
    do {
        ASSERT_TRUE(ReadFile(h, block.data(), 10000, &read, nullptr));
        back.append(block.data(), read);
    } while (read == 10000);
    EXPECT_EQ(read, (data.size() - 3) % 10000);
    EXPECT_EQ(back, data);
    ASSERT_TRUE(ReadFile(h, block.data(), 10000, &read, nullptr));
    EXPECT_EQ(read, 0u);
    // What is added after the end was met is read, not an end remembered from before.
    std::ofstream(dir.path() / "f", std::ios::binary | std::ios::app) << "tail";
    ASSERT_TRUE(ReadFile(h, block.data(), 10000, &read, nullptr));
    EXPECT_EQ(block.substr(0, read), "tail");
    EXPECT_TRUE(CloseHandle(h));
}

TEST_F(FilesTest, FileTimesAreSetWhileWritesAreHeldBack) {
    // All three times at once, as the copier sets them, over a write not yet on the disk.
    const std::string data = Pattern(100'000);
    HANDLE h = Open(Path("t"), GENERIC_WRITE, CREATE_NEW);
    ASSERT_TRUE(Write(h, data.data(), data.size()));
    const FILETIME born = FileTimeOf(TicksOf(1300000000));
    const FILETIME access = FileTimeOf(TicksOf(1500000000, 250000000));
    const FILETIME write = FileTimeOf(TicksOf(1400000000, 990000000));
    ASSERT_TRUE(SetFileTime(h, &born, &access, &write));
    FILETIME created{}, accessed{}, written{};
    ASSERT_TRUE(GetFileTime(h, &created, &accessed, &written));
    EXPECT_EQ(Ticks(accessed), Ticks(access));
    EXPECT_EQ(Ticks(written), Ticks(write));
    // POSIX file systems keep no creation time that can be set: the call succeeds and the
    // creation time stays. Wine, on such a file system too, reports the last-write time.
    if (RunningUnderWine()) {
        EXPECT_EQ(Ticks(created), Ticks(written));
    } else {
#ifdef _WIN32
        EXPECT_EQ(Ticks(created), Ticks(born));
#else
        EXPECT_NE(Ticks(created), Ticks(born));
        EXPECT_NE(Ticks(created), 0u);
#endif
    }
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_EQ(WriteTimeSeconds(dir.path() / "t"), 1400000000);  // cut, not rounded up
    EXPECT_EQ(ReadFileText(dir.path() / "t"), data);
}

// Memory volumes and chattr exist only on POSIX.
#ifndef _WIN32
TEST_F(FilesTest, AWriteHeldBackFailsWithDiskFullAtTheClose) {
    SmallVolume volume(dir.path() / "small");
    if (!volume.Mounted())
        GTEST_SKIP() << volume.Why();
    // 24 KiB stay free. (A write that reaches the disk at once fails there: see the copier.)
    WriteFile(volume.path() / "filler", Pattern(1000 * 1024));
    const std::string data = Pattern(30'000);
    HANDLE h = Open(Path("small/late"), GENERIC_WRITE, CREATE_NEW);
    EXPECT_TRUE(Write(h, data.data(), data.size()));
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_LAST_ERROR(ERROR_DISK_FULL);
    EXPECT_LT(fs::file_size(volume.path() / "late"), 30'000u);
}

TEST_F(FilesTest, ImmutableFilesAreAccessDenied) {
    WriteFile(dir.path() / "locked", "x");
    if (!RunningAsRoot() || std::system(("chattr +i '" + Path("locked") + "' 2>/dev/null").c_str()))
        GTEST_SKIP() << "chattr +i is not available";
    ExpectRefused(Path("locked"), GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED);
    BOOL deleted = DeleteFileA(Path("locked").c_str());
    DWORD error = GetLastError();
    std::system(("chattr -i '" + Path("locked") + "'").c_str());
    EXPECT_FALSE(deleted);
    EXPECT_EQ(error, DWORD{ERROR_ACCESS_DENIED});
}
#endif
