// Paths past the system's own limit and up to the 32,767 characters that Windows allows.
#include <cstdlib>

#include "tests/platform/PlatformTestSupport.h"

namespace {

class LongPathTest : public PlatformTest {
  protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "Windows reaches such paths only through its own \\\\?\\ prefix";
#endif
    }
    // The standard library's removal stops at the system's limit; rm walks by descriptors.
#ifndef _WIN32
    void TearDown() override {
        std::system(("rm -rf '" + dir.str() + "'/*").c_str());
    }
#endif
    // Creates folder after folder of 200-character names until the path is `length` long.
    std::string DeepFolder(std::size_t length) {
        std::string path = dir.str();
        while (path.size() + 201 <= length) {
            path += "/" + std::string(200, 'd');
            EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << GetLastError();
        }
        return path;
    }
};

TEST_F(LongPathTest, EveryCallReachesPathsPastTheSystemLimit) {
    const std::string folder = DeepFolder(32000);
    const std::string file = folder + "/file.txt";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(h, "deep", 4, &written, nullptr));
    CloseHandle(h);

    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 4u);
    EXPECT_EQ(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(FoundNames(folder + "/*.*"), (Names{".", "..", "file.txt"}));
    EXPECT_EQ(std::string(FoundEntry(file).cFileName), "file.txt");

    EXPECT_EQ(GetFileAttributesA((folder + "/missing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_LAST_ERROR(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(RemoveDirectoryA(folder.c_str()));
    EXPECT_LAST_ERROR(ERROR_DIR_NOT_EMPTY);
    EXPECT_TRUE(DeleteFileA(file.c_str()));
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LongPathTest, PastWindowsLimitThePathIsRefusedAsBefore) {
    std::string tooLong = DeepFolder(32600);
    tooLong += "/" + std::string(32768 - tooLong.size() - 1, 'x');
    EXPECT_FALSE(CreateDirectoryA(tooLong.c_str(), nullptr));
    EXPECT_LAST_ERROR(ERROR_FILENAME_EXCED_RANGE);
    EXPECT_EQ(CreateFileA(tooLong.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_LAST_ERROR(ERROR_FILENAME_EXCED_RANGE);
}

}  // namespace
