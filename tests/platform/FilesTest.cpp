// Opening, reading, writing and deleting files and folders, with Windows' results and error
// codes. Reads ahead and writes held back must look to callers exactly like unbuffered I/O.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/platform/PlatformTestSupport.h"

namespace fs = std::filesystem;

namespace {

using FilesTest = PlatformTest;

// Bytes that differ from one offset to the next, so a block out of place shows.
std::string Pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + i / 4093) & 0xFF);
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

void ExpectRefused(const std::string& path, DWORD access, DWORD disposition, DWORD error) {
    EXPECT_EQ(Open(path, access, disposition), INVALID_HANDLE_VALUE) << path;
    EXPECT_EQ(GetLastError(), error) << path;
}

}  // namespace

TEST_F(FilesTest, FoldersAreCreatedAndRemovedWithWindowsErrors) {
    const std::string folder = Path("folder");
    EXPECT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_LAST_ERROR(ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryA((Path("no") + kSep + "folder").c_str(), nullptr));
    EXPECT_LAST_ERROR(ERROR_PATH_NOT_FOUND);
    ExpectRefused(Path("no") + kSep + "f", GENERIC_READ, OPEN_EXISTING, ERROR_PATH_NOT_FOUND);
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

// POSIX file systems keep no creation time that can be set; the copier carries the other two.
TEST_F(FilesTest, FileTimesAreSetWhileWritesAreHeldBack) {
    HANDLE h = Open(Path("t"), GENERIC_WRITE, CREATE_NEW);
    ASSERT_TRUE(Write(h, "held back", 9));
    const FILETIME access = FileTimeOf(TicksOf(1500000000, 250000000));
    const FILETIME write = FileTimeOf(TicksOf(1400000000, 990000000));
    ASSERT_TRUE(SetFileTime(h, nullptr, &access, &write));
    FILETIME accessed{}, written{};
    ASSERT_TRUE(GetFileTime(h, nullptr, &accessed, &written));
    EXPECT_EQ(Ticks(accessed), Ticks(access));
    EXPECT_EQ(Ticks(written), Ticks(write));
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_EQ(WriteTimeSeconds(dir.path() / "t"), 1400000000);  // cut, not rounded up
    EXPECT_EQ(ReadFileText(dir.path() / "t"), "held back");
}

// Root may write and delete anything on POSIX; the program must still meet the refusals that
// Windows gives every user, for read-only files and (POSIX only) immutable ones.
TEST_F(FilesTest, ReadOnlyAndImmutableFilesAreRefusedEvenToAdministrators) {
    WriteFile(dir.path() / "ro.txt", "keep");
    fs::permissions(dir.path() / "ro.txt",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::vector<std::string> refused{"ro.txt"};
#ifndef _WIN32
    WriteFile(dir.path() / "locked", "keep");
    if (RunningAsRoot() && !std::system(("chattr +i '" + Path("locked") + "' 2>/dev/null").c_str()))
        refused.push_back("locked");
#endif
    for (const std::string& name : refused) {
        SCOPED_TRACE(name);
        const BOOL deleted = DeleteFileA(Path(name).c_str());
        const DWORD error = GetLastError();
        EXPECT_FALSE(deleted);
        // Wine run by root refuses the deletion without a reason and lets root write.
        if (!RunningUnderWine()) {
            EXPECT_EQ(error, DWORD{ERROR_ACCESS_DENIED});
            ExpectRefused(Path(name), GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED);
        }
        EXPECT_EQ(ReadFileText(dir.path() / name), "keep");
    }
#ifndef _WIN32
    std::system(("chattr -i '" + Path("locked") + "' 2>/dev/null").c_str());
#endif
}
