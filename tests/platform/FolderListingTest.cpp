// Listings read in blocks, and listings that tell each entry's kind without looking at it.
#include "tests/platform/PlatformTestSupport.h"

#ifndef _WIN32
#include <filesystem>
#include <map>

#include "platform/posix/FolderEntries.h"
#include "tests/support/WaitingWriter.h"

namespace fs = std::filesystem;
#endif

using FolderListingTest = PlatformTest;

// Entries deleted after the folder was read are passed over; the rest still comes.
TEST_F(FolderListingTest, EveryEntryIsListedOnceAndDeletionsDuringAListingLeaveTheRest) {
    Names made = {".", ".."};
    for (int i = 0; i < 600; ++i)
        WriteFile(Path(*made.insert(std::string(120, 'n') + std::to_string(i)).first), "");
    for (int i = 0; i < 40; ++i)
        WriteFile(Path("gone" + std::to_string(i)), "x");
    WIN32_FIND_DATAA data{};
    HANDLE h = FindFirstFileA(Path("*").c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    Names names{data.cFileName};
    for (int i = 0; i < 40; ++i)
        DeleteFileA(Path("gone" + std::to_string(i)).c_str());
    while (FindNextFileA(h, &data))
        names.insert(data.cFileName);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    FindClose(h);
    std::erase_if(names, [](const std::string& name) { return name.starts_with("gone"); });
    EXPECT_EQ(names, made);
#ifndef _WIN32
    // The folder removed part way through a listing: it ends in an error, not as if complete.
    h = FindFirstFileA(Path("*").c_str(), &data);
    fs::remove_all(dir.path());
    while (FindNextFileA(h, &data)) {
    }
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    FindClose(h);
#endif
}

#ifndef _WIN32
// The kinds a walk goes by (folder, link, file) are those of the full listing, for every kind
// of entry: links show as reparse points, and a link's target is still looked at. A named pipe,
// or a link to one, is a device, refused without being opened: a program waiting to write into
// it goes on waiting.
TEST_F(FolderListingTest, KindsOnlyListingsTellEntriesApartAsFullOnesDo) {
    WriteFile(Path("file"), "x");
    SetWriteTime(Path("file"), 1600000000);
    fs::create_directory(Path("folder"));
    fs::create_directory_symlink("folder", Path("folder-link"));
    fs::create_symlink("file", Path("file-link"));
    fs::create_symlink("nowhere", Path("dangling"));
    WaitingWriter writer(Path("pipe"));
    fs::create_symlink("pipe", Path("pipe-link"));
    constexpr DWORD kFolder = FILE_ATTRIBUTE_DIRECTORY, kLink = FILE_ATTRIBUTE_REPARSE_POINT;
    constexpr DWORD kDevice = FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    auto kinds = [](HANDLE h, WIN32_FIND_DATAA& data) {
        std::map<std::string, DWORD> seen;
        for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &data))
            seen[data.cFileName] = data.dwFileAttributes & (kFolder | kLink | kDevice);
        FindClose(h);
        return seen;
    };
    WIN32_FIND_DATAA data{};
    const auto full = kinds(FindFirstFileA(Path("*").c_str(), &data), data);
    // clang-format off
    EXPECT_EQ(full, (std::map<std::string, DWORD>{
        {".", kFolder}, {"..", kFolder}, {"file", 0}, {"folder", kFolder},
        {"folder-link", kFolder | kLink}, {"file-link", kLink}, {"dangling", kLink},
        {"pipe", kDevice}, {"pipe-link", kDevice | kLink}}));
    // clang-format on
    for (bool filesInFull : {false, true})
        EXPECT_EQ(kinds(w32posix::FindFirstKindA(Path("*").c_str(), &data, filesInFull), data),
                  full);
    for (const char* name : {"pipe", "pipe-link"}) {
        WIN32_FIND_DATAA entry{};  // a look-up tells the device as the listing does
        FindClose(FindFirstFileA(Path(name).c_str(), &entry));
        EXPECT_EQ(entry.dwFileAttributes & (kDevice | kFolder), kDevice) << name;
        EXPECT_EQ(Outcome(Open(Path(name), GENERIC_READ, OPEN_EXISTING)),
                  Failed(ERROR_ACCESS_DENIED));
        EXPECT_EQ(Outcome(Open(Path(name), GENERIC_WRITE, OPEN_ALWAYS)),
                  Failed(ERROR_ACCESS_DENIED));
    }
    EXPECT_FALSE(writer.Released());
    // A file link carries its target's size and times, which the copy pass compares, in the
    // full listing and in one by kind that gives files whole.
    WIN32_FIND_DATAA link{};
    FindClose(FindFirstFileA(Path("file-link").c_str(), &link));
    FindClose(w32posix::FindFirstKindA(Path("file-l*").c_str(), &data, true));
    for (const WIN32_FIND_DATAA& entry : {data, link}) {
        EXPECT_EQ(Ticks(entry.ftLastWriteTime), TicksOf(1600000000));
        EXPECT_EQ(entry.nFileSizeLow, 1u);
    }
    // Deleting a link deletes the link alone; folder links are removed in the erase test.
    EXPECT_TRUE(DeleteFileA(Path("file-link").c_str()));
    EXPECT_TRUE(fs::exists(Path("file")));
}
#endif
