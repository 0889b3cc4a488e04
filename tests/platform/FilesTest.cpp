#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "fileio/PathText.h"
#include "tests/platform/PlatformTestSupport.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class FilesTest : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return dir.str(name); }
    void MakeReadOnly(const std::string& name) {
        fs::permissions(dir.path() / name,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }

    TempDir dir;
};

constexpr DWORD kUnchecked = 0xFFFFFFFFu;

// Opens, checks the last error the open left (when the call documents one), and closes.
void ExpectOpens(const std::string& path, DWORD access, DWORD disposition,
                 DWORD lastError = kUnchecked) {
    HANDLE h = Open(path, access, disposition);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path << " disposition " << disposition;
    if (lastError != kUnchecked) {
        EXPECT_EQ(GetLastError(), lastError) << "disposition " << disposition;
    }
    EXPECT_TRUE(CloseHandle(h));
}

void ExpectRefused(const std::string& path, DWORD access, DWORD disposition, DWORD error) {
    EXPECT_EQ(Open(path, access, disposition), INVALID_HANDLE_VALUE)
        << "disposition " << disposition;
    EXPECT_EQ(GetLastError(), error) << "disposition " << disposition;
}

}  // namespace

TEST_F(FilesTest, DispositionsCreateTruncateAndReportExistingFiles) {
    const std::string f = Path("f.txt");
    ExpectRefused(f, GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND);
    ExpectRefused(Path("no") + kSep + "f.txt", GENERIC_READ, OPEN_EXISTING, ERROR_PATH_NOT_FOUND);
    ExpectRefused(f, GENERIC_WRITE, TRUNCATE_EXISTING, ERROR_FILE_NOT_FOUND);

    ExpectOpens(f, GENERIC_WRITE, CREATE_NEW);
    ExpectRefused(f, GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS);

    WriteFile(dir.path() / "f.txt", "contents");
    ExpectOpens(f, GENERIC_WRITE, OPEN_ALWAYS, ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ReadFileText(dir.path() / "f.txt"), "contents");
    ExpectOpens(f, GENERIC_WRITE, CREATE_ALWAYS, ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ReadFileText(dir.path() / "f.txt"), "");
    ExpectOpens(Path("g.txt"), GENERIC_WRITE, OPEN_ALWAYS, ERROR_SUCCESS);
    ExpectOpens(Path("h.txt"), GENERIC_WRITE, CREATE_ALWAYS, ERROR_SUCCESS);
    WriteFile(dir.path() / "h.txt", "contents");
    ExpectOpens(Path("h.txt"), GENERIC_WRITE, TRUNCATE_EXISTING);
    EXPECT_EQ(ReadFileText(dir.path() / "h.txt"), "");

    fs::create_directory(dir.path() / "folder");
    ExpectRefused(Path("folder"), GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED);
}

TEST_F(FilesTest, ReadsAndWritesWholeBlocksAndEndOfFileReadsNothing) {
    HANDLE out = Open(Path("data"), GENERIC_WRITE, CREATE_NEW);
    std::vector<char> data(25000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(out, data.data(), static_cast<DWORD>(data.size()), &written, nullptr));
    EXPECT_EQ(written, data.size());
    DWORD none = 1;
    EXPECT_FALSE(ReadFile(out, data.data(), 10, &none, nullptr));  // opened for writing only
    EXPECT_LAST_ERROR(ERROR_ACCESS_DENIED);
    EXPECT_TRUE(CloseHandle(out));

    HANDLE in = Open(Path("data"), GENERIC_READ, OPEN_EXISTING);
    std::vector<char> back(10000);
    std::vector<DWORD> counts;
    std::vector<char> all;
    DWORD read = 0;
    do {
        ASSERT_TRUE(ReadFile(in, back.data(), static_cast<DWORD>(back.size()), &read, nullptr));
        counts.push_back(read);
        all.insert(all.end(), back.begin(), back.begin() + read);
    } while (read > 0);
    EXPECT_EQ(counts, (std::vector<DWORD>{10000, 10000, 5000, 0}));
    EXPECT_EQ(all, data);
    EXPECT_TRUE(CloseHandle(in));
    EXPECT_FALSE(ReadFile(INVALID_HANDLE_VALUE, back.data(), 1, &read, nullptr));
    EXPECT_LAST_ERROR(ERROR_INVALID_HANDLE);
}

TEST_F(FilesTest, ReadOnlyFilesAreRefusedEvenToAdministrators) {
    WriteFile(dir.path() / "ro.txt", "keep");
    MakeReadOnly("ro.txt");
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
    ExpectRefused(Path("ro.txt"), GENERIC_WRITE, CREATE_ALWAYS, ERROR_ACCESS_DENIED);
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

TEST_F(FilesTest, SizeOver4GiBIsSplitIntoHalves) {
    fs::path big = dir.path() / "big";
    WriteFile(big, "");
    fs::resize_file(big, (std::uintmax_t{5} << 30) + 3);
    HANDLE h = Open(Narrow(big), GENERIC_READ, OPEN_EXISTING);
    DWORD high = 0;
    EXPECT_EQ(GetFileSize(h, &high), 0x40000003u);
    EXPECT_EQ(high, 1u);
    EXPECT_TRUE(CloseHandle(h));
}

TEST_F(FilesTest, FileTimesRoundTripAndNullTimesAreLeftAlone) {
    WriteFile(dir.path() / "t", "x");
    HANDLE h = Open(Path("t"), GENERIC_WRITE, OPEN_EXISTING);
    const FILETIME access = FileTimeOf(TicksOf(1500000000, 250000000));
    const FILETIME write = FileTimeOf(TicksOf(1400000000, 990000000));
    ASSERT_TRUE(SetFileTime(h, nullptr, &access, &write));
    const FILETIME later = FileTimeOf(TicksOf(1600000000));
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &later));
    FILETIME created{}, accessed{}, written{};
    ASSERT_TRUE(GetFileTime(h, &created, &accessed, &written));
    EXPECT_EQ(Ticks(accessed), Ticks(access));
    EXPECT_EQ(Ticks(written), Ticks(later));
    EXPECT_NE(Ticks(created), 0u);

    const FILETIME born = FileTimeOf(TicksOf(1300000000));
    ASSERT_TRUE(SetFileTime(h, &born, nullptr, nullptr));
    ASSERT_TRUE(GetFileTime(h, &created, &accessed, &written));
    // POSIX file systems keep no creation time that can be set: the call succeeds, the
    // creation time stays, and the other two are untouched. Wine, on such a file system too,
    // reports the last-write time as the creation time.
    if (RunningUnderWine()) {
        EXPECT_EQ(Ticks(created), Ticks(written));
    } else {
#ifdef _WIN32
        EXPECT_EQ(Ticks(created), Ticks(born));
#else
        EXPECT_NE(Ticks(created), Ticks(born));
#endif
    }
    EXPECT_EQ(Ticks(written), Ticks(later));
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_EQ(WriteTimeSeconds(dir.path() / "t"), 1600000000);
}

TEST_F(FilesTest, ShareModesKeepOthersOutOnlyOnWindows) {
    WriteFile(dir.path() / "s.txt", "x");
    HANDLE alone =
        CreateFileA(Path("s.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(alone, INVALID_HANDLE_VALUE);
    HANDLE second = Open(Path("s.txt"), GENERIC_READ, OPEN_EXISTING);
#ifdef _WIN32
    EXPECT_EQ(second, INVALID_HANDLE_VALUE);
    EXPECT_LAST_ERROR(ERROR_SHARING_VIOLATION);
#else
    // Without mandatory locks a share mode cannot keep anyone out.
    EXPECT_NE(second, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(second));
#endif
    EXPECT_TRUE(CloseHandle(alone));
    ExpectOpens(Path("s.txt"), GENERIC_READ, OPEN_EXISTING);
}

// Links (a privilege on Windows), memory volumes and chattr exist only on POSIX.
#ifndef _WIN32
TEST_F(FilesTest, LinksAreDeletedThemselvesNeverTheirTargets) {
    WriteFile(dir.path() / "target", "x");
    fs::create_directory(dir.path() / "folder");
    fs::create_symlink(dir.path() / "target", dir.path() / "filelink");
    fs::create_directory_symlink(dir.path() / "folder", dir.path() / "folderlink");
    EXPECT_FALSE(RemoveDirectoryA(Path("filelink").c_str()));
    EXPECT_LAST_ERROR(ERROR_DIRECTORY);
    EXPECT_TRUE(DeleteFileA(Path("filelink").c_str()));
    EXPECT_TRUE(RemoveDirectoryA(Path("folderlink").c_str()));
    EXPECT_TRUE(fs::exists(dir.path() / "target"));
    EXPECT_TRUE(fs::exists(dir.path() / "folder"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.path() / "filelink")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.path() / "folderlink")));
}

TEST_F(FilesTest, FullDiskFailsWithDiskFullAfterAPartialWrite) {
    SmallVolume volume(dir.path() / "small");
    if (!volume.Mounted())
        GTEST_SKIP() << volume.Why();
    HANDLE h = Open(Path("small/fill"), GENERIC_WRITE, CREATE_NEW);
    std::vector<char> data(2 << 20, 'x');
    DWORD written = 0;
    BOOL ok = WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    DWORD error = GetLastError();
    CloseHandle(h);
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, DWORD{ERROR_DISK_FULL});
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, data.size());
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
