// Listings read in blocks, and listings that tell each entry's kind without looking at it.
#include "tests/platform/PlatformTestSupport.h"

#ifndef _WIN32
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "platform/posix/FolderEntries.h"

namespace fs = std::filesystem;
#endif

namespace {

using FolderListingTest = PlatformTest;

// Entries deleted after the folder was read are passed over; the rest still comes.
TEST_F(FolderListingTest, EveryEntryIsListedOnceAndDeletionsDuringAListingLeaveTheRest) {
    Names made = {".", ".."};
    for (int i = 0; i < 600; ++i) {
        const std::string name = std::string(120, 'n') + std::to_string(i);
        WriteFile(Path(name), "");
        made.insert(name);
    }
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
}

#ifndef _WIN32
// The kinds a walk goes by (folder, link, file) are those of the full listing, for every kind
// of entry; a link's target is still looked at.
TEST_F(FolderListingTest, KindsOnlyListingsTellEntriesApartAsFullOnesDo) {
    WriteFile(Path("file"), "x");
    fs::create_directory(Path("folder"));
    fs::create_directory_symlink("folder", Path("folder-link"));
    fs::create_symlink("file", Path("file-link"));
    fs::create_symlink("nowhere", Path("dangling"));
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    constexpr DWORD kKind =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_SYSTEM;
    auto kinds = [](HANDLE h, WIN32_FIND_DATAA& data) {
        std::map<std::string, DWORD> seen;
        for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &data))
            seen[data.cFileName] = data.dwFileAttributes & kKind;
        FindClose(h);
        return seen;
    };
    WIN32_FIND_DATAA data{};
    const auto full = kinds(FindFirstFileA(Path("*").c_str(), &data), data);
    EXPECT_EQ(full.size(), 8u);
    for (bool filesInFull : {false, true}) {
        EXPECT_EQ(kinds(w32posix::FindFirstKindA(Path("*").c_str(), &data, filesInFull), data),
                  full);
    }
    // Files keep their times and size when only folders are listed by kind.
    FindClose(w32posix::FindFirstKindA(Path("fil?").c_str(), &data, true));
    EXPECT_EQ(Ticks(data.ftLastWriteTime), Ticks(FoundEntry(Path("file")).ftLastWriteTime));
    EXPECT_EQ(data.nFileSizeLow, 1u);
}
#endif

}  // namespace
