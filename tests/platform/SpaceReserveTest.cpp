// Space reserved ahead of a large file's writes: never part of the file's size, given back
// when the handle is closed or its times are set, and no cause of failure on a full disk.
// There the settings file is not left half-written either.
#include <gtest/gtest.h>

// Reservations exist only in the POSIX layer.
#ifndef _WIN32
#include <sys/stat.h>

#include <filesystem>

#include "tests/platform/PlatformTestSupport.h"

using SpaceReserveTest = PlatformTest;

// Blocks beyond the bytes' own pages (a file system may add a little for its bookkeeping).
static bool HoldsOnlyItsBytes(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_blocks * 512 <= st.st_size + 64 * 1024;
}

TEST_F(SpaceReserveTest, TheFileShowsOnlyWhatWasWrittenAndHasItsTimesSet) {
    const std::string data = Pattern(5'000'123);
    const std::string path = Path("large");
    HANDLE h = Open(path, GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    WriteBlocks(h, data.substr(0, 3'000'000));
    DWORD high = 0;
    EXPECT_EQ(GetFileSize(h, &high), 3'000'000u);
    EXPECT_EQ(std::filesystem::file_size(path), 3'000'000u);
    if (HoldsOnlyItsBytes(path))
        GTEST_SKIP() << "this file system reserves no space ahead of the writes";

    // Giving the space back must not undo the times, nor later writes lose their place.
    const FILETIME set = FileTimeOf(TicksOf(1400000000));
    ASSERT_TRUE(SetFileTime(h, nullptr, &set, &set));
    EXPECT_TRUE(HoldsOnlyItsBytes(path));
    WriteBlocks(h, data, 3'000'000);
    ASSERT_TRUE(SetFileTime(h, nullptr, &set, &set));
    ASSERT_TRUE(CloseHandle(h));
    EXPECT_EQ(WriteTimeSeconds(dir.path() / "large"), 1400000000);
    EXPECT_EQ(ReadFileText(dir.path() / "large"), data);
    EXPECT_TRUE(HoldsOnlyItsBytes(path));
    // Closed without its times set, a file gives the space back as well.
    h = Open(Path("closed"), GENERIC_WRITE, CREATE_NEW);
    WriteBlocks(h, data.substr(0, 3'000'000));
    ASSERT_TRUE(CloseHandle(h));
    EXPECT_TRUE(HoldsOnlyItsBytes(Path("closed")));
}

// A file that fits the disk is written though no reserve fits; a settings save that does not
// fit leaves the old text whole, whichever way it tried to write.
TEST_F(SpaceReserveTest, WhatFitsANearlyFullDiskIsWrittenAndWhatDoesNotLeavesTheOldText) {
    SmallVolume volume(dir.path() / "small");
    if (!volume.Mounted())
        GTEST_SKIP() << volume.Why();
    // About 600 KiB stay free: far less than a reservation asks for.
    WriteFile(volume.path() / "filler", Pattern(400 * 1024));
    const std::string data = Pattern(500'000);
    HANDLE h = Open(Path("small/fits"), GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    WriteBlocks(h, data);
    ASSERT_TRUE(CloseHandle(h));
    EXPECT_EQ(ReadFileText(volume.path() / "fits"), data);

    const std::string old = "[A]\nx=1\n" + std::string(100 * 1024, ';') + "\n";
    WriteFile(volume.path() / "s.ini", old);  // less free than the new value would add
    EXPECT_EQ(Outcome(WritePrivateProfileStringA("A", "x", std::string(200 * 1024, 'v').c_str(),
                                                 Narrow(volume.path() / "s.ini").c_str())),
              Failed(ERROR_DISK_FULL));
    EXPECT_EQ(ReadFileText(volume.path() / "s.ini"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(volume.path()), {}), 3);
}
#endif
