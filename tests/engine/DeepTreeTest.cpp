// A source tree deeper than the system's path limit is mirrored and cleaned up like any other.
#include <cstdlib>

#include "tests/engine/FormFixture.h"

namespace {

class DeepTree : public FormFixture {
  protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "Windows reaches such paths only through its own \\\\?\\ prefix";
#endif
    }
    // The standard library's removal stops at the system's limit; rm walks by descriptors.
#ifndef _WIN32
    void TearDown() override {
        std::system(("rm -rf '" + tmp.str() + "'/*").c_str());
    }
#endif
    static void Create(const std::string& file, const std::string& content) {
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
        DWORD written = 0;
        WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(h);
    }
    static std::int64_t SizeOf(const std::string& file) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        return LookUpPath(file, data) ? std::int64_t{data.nFileSizeLow} : -1;
    }
};

TEST_F(DeepTree, IsMirroredAndCleanedUpPastTheSystemLimit) {
    std::string folder = Narrow(Src());
    CreateDirectoryA(folder.c_str(), nullptr);
    while (folder.size() < 5000) {
        folder += "/" + std::string(200, 'd');
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << GetLastError();
    }
    Create(folder + "/file.txt", "deep content");
    AddFileset(Src());
    form.DeleteOrphans = true;
    const std::string mirror = pathmap::DestinationFolder(SyncTo(), folder);
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    EXPECT_EQ(SizeOf(mirror + "/file.txt"), 12);

    Create(mirror + "/orphan.txt", "o");
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    EXPECT_EQ(SizeOf(mirror + "/orphan.txt"), -1);
    EXPECT_EQ(SizeOf(mirror + "/file.txt"), 12);
}

}  // namespace
