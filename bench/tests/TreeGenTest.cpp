#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <set>

#include "bench/TreeGen.h"
#include "tests/support/TempDir.h"

TEST(BenchTreeGen, SmallFilesAreInRangeAndRepeatable) {
    TempDir dir;
    TreeCensus first = GenerateSmallFileTree(dir.path() / "one", 300, 40, 7);
    EXPECT_EQ(first, CensusOf(dir.path() / "one"));
    EXPECT_EQ(first, GenerateSmallFileTree(dir.path() / "two", 300, 40, 7));
    EXPECT_EQ(first.files, 300);
    std::set<std::uintmax_t> sizes;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path() / "one"))
        if (entry.is_regular_file())
            sizes.insert(entry.file_size());
    EXPECT_TRUE(*sizes.begin() >= 1024 && *sizes.rbegin() <= 16384);
    EXPECT_GT(sizes.size(), 200u);  // sizes vary, they are not one repeated value
}

TEST(BenchCompareSample, FindsEveryKindOfDifference) {
    TempDir dir;
    GenerateLargeFileTree(dir.path() / "src", 2, 5 * kMiB, 3);
    fs::copy(dir.path() / "src", dir.path() / "copy", fs::copy_options::recursive);
    for (const char* name : {"file-00000.txt", "file-00001.dat"})
        fs::last_write_time(dir.path() / "copy" / name,
                            fs::last_write_time(dir.path() / "src" / name));
    auto Compare = [&dir] { return CompareSample(dir.path() / "src", dir.path() / "copy", 1); };
    EXPECT_EQ(Compare(), "");

    fs::path last = dir.path() / "copy" / "file-00001.dat";
    auto time = fs::last_write_time(last);
    fs::last_write_time(last, time + std::chrono::seconds(1));
    EXPECT_NE(Compare().find("last-write time"), std::string::npos);

    {  // a changed byte in the last mebibyte of a large file, same size
        std::fstream out(last, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(5 * kMiB - 10);
        out.put('\x5A').put('\xA5');
    }
    fs::last_write_time(last, time);
    EXPECT_NE(Compare().find("contents"), std::string::npos);

    fs::resize_file(last, 4 * kMiB);
    EXPECT_NE(Compare().find("size"), std::string::npos);
    fs::remove(last);
    EXPECT_NE(Compare().find("missing"), std::string::npos);
    EXPECT_EQ(CensusOf(dir.path() / "copy"), (TreeCensus{1, 5 * kMiB}));
}
