// Opening, reading, writing and deleting files and folders, with Windows' results and error
// codes. Reads ahead and writes held back must look to callers exactly like unbuffered I/O.
#include <filesystem>
#include <fstream>
#include <utility>

#include "tests/platform/PlatformTestSupport.h"

namespace fs = std::filesystem;

using FilesTest = PlatformTest;

// Folders made and removed, files and folders moved on one volume: a rename never goes over
// an existing name unless asked, a read-only file (which refuses writes) and a folder move as
// well, and a folder is never replaced.
TEST_F(FilesTest, FoldersAndMovesKeepWindowsRulesAndErrors) {
    auto mkdir = [this](auto p) { return Outcome(CreateDirectoryA(Path(p).c_str(), nullptr)); };
    auto rmdir = [this](auto p) { return Outcome(RemoveDirectoryA(Path(p).c_str())); };
    auto del = [this](auto p) { return Outcome(DeleteFileA(Path(p).c_str())); };
    auto move = [this](const std::string& from, const std::string& to, DWORD flags = 0) {
        return Outcome(MoveFileExA(Path(from).c_str(), Path(to).c_str(), flags));
    };
    const std::string file = std::string("folder") + kSep + "f",
                      missing = std::string("no") + kSep + "f";
    EXPECT_EQ(mkdir("folder"), "ok");
    EXPECT_EQ(mkdir("folder"), Failed(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(mkdir(missing), Failed(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(del("folder"), Failed(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Outcome(Open(Path("folder"), GENERIC_READ, OPEN_EXISTING)),
              Failed(ERROR_ACCESS_DENIED));
    EXPECT_EQ(del("none"), Failed(ERROR_FILE_NOT_FOUND));

    WriteFile(dir.path() / "folder" / "f", "x");
    // Creating a file where a folder stands is refused (Wine says the name exists); a folder's
    // size is 0 in a listing and in a look-up.
    EXPECT_EQ(Outcome(Open(Path("folder"), GENERIC_WRITE, CREATE_NEW)),
              Failed(RunningUnderWine() ? ERROR_FILE_EXISTS : ERROR_ACCESS_DENIED));
    WIN32_FIND_DATAA list{};
    FindClose(FindFirstFileA(Path("folder").c_str(), &list));
    WIN32_FILE_ATTRIBUTE_DATA look{};
    ASSERT_TRUE(GetFileAttributesExA(Path("folder").c_str(), GetFileExInfoStandard, &look));
    EXPECT_EQ(list.nFileSizeHigh | list.nFileSizeLow | look.nFileSizeHigh | look.nFileSizeLow, 0u);
    EXPECT_EQ(rmdir("folder"), Failed(ERROR_DIR_NOT_EMPTY));
    EXPECT_EQ(rmdir(file), Failed(ERROR_DIRECTORY));

    WriteFile(dir.path() / "a", "a");
    WriteFile(dir.path() / "b", "b");
    EXPECT_EQ(move("a", "b"), Failed(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(move("a", "folder"), Failed(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(ReadFileText(dir.path() / "a") + ReadFileText(dir.path() / "b"), "ab");
    EXPECT_EQ(move("none", "c"), Failed(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(move("a", missing), Failed(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(move("a", "folder", MOVEFILE_REPLACE_EXISTING), Failed(ERROR_ACCESS_DENIED));
    fs::permissions(dir.path() / "a", fs::perms::owner_write, fs::perm_options::remove);
    // Root may write anything on POSIX; the program must still meet the refusal that Windows
    // gives every user for a read-only file (Wine run by root lets root write). Its deletion
    // is refused in the cleanup and erase tests.
    if (!RunningUnderWine()) {
        EXPECT_EQ(Outcome(Open(Path("a"), GENERIC_WRITE, OPEN_EXISTING)),
                  Failed(ERROR_ACCESS_DENIED));
    }
    EXPECT_EQ(move("a", "moved"), "ok");
    EXPECT_EQ(ReadFileText(dir.path() / "moved"), "a");
    fs::permissions(dir.path() / "moved", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(move("moved", file, MOVEFILE_REPLACE_EXISTING), "ok");
    EXPECT_EQ(move("folder", "moved"), "ok");
    EXPECT_EQ(ReadFileText(dir.path() / "moved" / "f"), "a");
    EXPECT_EQ(del(std::string("moved") + kSep + "f"), "ok");
    EXPECT_EQ(rmdir("moved"), "ok");
}

TEST_F(FilesTest, BlocksOfEverySizeWriteAndReadBackThroughTheBuffers) {
    // Block sizes that straddle every buffer boundary, then one write larger than any buffer.
    const std::string data = Pattern(7'500'777);
    HANDLE h = Open(Path("f"), GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::size_t offset = 0;
    const std::pair<std::size_t, std::size_t> blocks[] = {
        {1, 1000},           {9999, 600'000}, {10000, 1'200'000},
        {262143, 2'800'000}, {3, 3'000'000},  {data.size(), data.size()}};
    for (auto [block, until] : blocks) {
        offset = WriteBlocks(h, data, offset, block, until);
        ASSERT_EQ(GetFileSize(h, nullptr), offset) << "after blocks of " << block;
    }
    DWORD ignored = 0;
    EXPECT_TRUE(WriteFile(h, data.data(), 0, &ignored, nullptr));
    ASSERT_TRUE(CloseHandle(h));

    // A small read, so that no block lines up with the read-ahead, then whole blocks until the
    // end: a short read before it would leave the text incomplete.
    h = Open(Path("f"), GENERIC_READ, OPEN_EXISTING);
    std::string block(10000, '\0');
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(h, block.data(), 3, &read, nullptr));
    std::string back = block.substr(0, read);
    do {
        ASSERT_TRUE(ReadFile(h, block.data(), 10000, &read, nullptr));
        back.append(block.data(), read);
    } while (read == 10000);
    EXPECT_EQ(back, data);
    // What is added after the end was met is read, not an end remembered from before.
    std::ofstream(dir.path() / "f", std::ios::binary | std::ios::app) << "tail";
    ASSERT_TRUE(ReadFile(h, block.data(), 10000, &read, nullptr));
    EXPECT_EQ(block.substr(0, read), "tail");
    EXPECT_TRUE(CloseHandle(h));
}
