// File names as the ANSI calls carry them: every character through the UTF-8 code page, and
// the two places where Windows and POSIX names rightly differ, letter case and separators.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fileio/PathText.h"
#include "tests/platform/PlatformTestSupport.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using Names = std::set<std::string>;

namespace {

class NamesTest : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return dir.str() + kSep + name; }

    TempDir dir;
};

// "Grüße ✓.txt" in UTF-8: letters of the Western code page and a sign outside every one.
const std::string kGreeting =
    "Gr\xC3\xBC\xC3\x9F"
    "e \xE2\x9C\x93.txt";
const std::string kFolder =
    "\xC3\x9C"
    "bersicht \xE2\x9C\x93";

std::string NameOnDisk(const fs::path& p) {
    const std::u8string name = p.filename().u8string();
    return std::string(name.begin(), name.end());
}

}  // namespace

TEST_F(NamesTest, NamesOutsideEveryWesternCodePageRoundTrip) {
#ifdef _WIN32
    if (GetACP() != CP_UTF8)
        GTEST_SKIP() << "the system ignored the manifest's UTF-8 code page (code page " << GetACP()
                     << ")";
#endif
    ASSERT_TRUE(CreateDirectoryA(Path(kFolder).c_str(), nullptr));
    const std::string file = Path(kFolder) + kSep + kGreeting;
    HANDLE h = Open(file, GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(h, "hello", 5, &written, nullptr));
    EXPECT_TRUE(CloseHandle(h));

    // The system stored the characters themselves, not their bytes read as another code page.
    const fs::path folderOnDisk = fs::directory_iterator(dir.path())->path();
    EXPECT_EQ(NameOnDisk(folderOnDisk), kFolder);
    EXPECT_EQ(NameOnDisk(fs::directory_iterator(folderOnDisk)->path()), kGreeting);

    EXPECT_EQ(FoundNames(Path("*")), (Names{".", "..", kFolder}));
    EXPECT_EQ(FoundNames(Path(kFolder) + kSep + "Gr*.txt"), (Names{kGreeting}));
    WIN32_FIND_DATAA entry = FoundEntry(file);
    EXPECT_EQ(std::string(entry.cFileName), kGreeting);
    EXPECT_EQ(entry.nFileSizeLow, 5u);

    EXPECT_TRUE(DeleteFileA(file.c_str()));
    EXPECT_TRUE(RemoveDirectoryA(Path(kFolder).c_str()));
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(NamesTest, LetterCaseMattersOnlyOnPosix) {
    WriteFile(dir.path() / "Mixed.Txt", "x");
    // Wildcards ignore letter case on both.
    EXPECT_EQ(FoundNames(Path("MIXED.*")), (Names{"Mixed.Txt"}));

    HANDLE other = Open(Path("MIXED.TXT"), GENERIC_WRITE, CREATE_NEW);
#ifdef _WIN32
    // Another spelling names the same file, and a look-up gives the stored spelling.
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    EXPECT_LAST_ERROR(ERROR_FILE_EXISTS);
    EXPECT_EQ(FoundNames(Path("mixed.txt")), (Names{"Mixed.Txt"}));
    EXPECT_NE(GetFileAttributesA(Path("MIXED.TXT").c_str()), INVALID_FILE_ATTRIBUTES);
#else
    // Another spelling is another file.
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(other));
    EXPECT_EQ(FoundNames(Path("mixed.txt")), Names{});
    EXPECT_EQ(FoundNames(Path("MIXED.TXT")), (Names{"MIXED.TXT"}));
    EXPECT_EQ(FoundNames(Path("mixed.*")), (Names{"Mixed.Txt", "MIXED.TXT"}));
#endif
}

TEST_F(NamesTest, SeparatorsFollowThePlatform) {
    WriteFile(dir.path() / "sub" / "f.txt", "x");
#ifdef _WIN32
    // Windows takes "/" as a separator too.
    EXPECT_EQ(FoundNames(dir.str() + "/sub/*.txt"), (Names{"f.txt"}));
#else
    // On POSIX "\" is a character of a name: "sub\f.txt" is a file beside sub.
    EXPECT_EQ(FoundNames(dir.str() + "/sub\\*.txt"), Names{});
    HANDLE h = Open(dir.str() + "/sub\\f.txt", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_TRUE(fs::is_regular_file(dir.path() / "sub\\f.txt"));
#endif
}
