// Enumerations and file names as the ANSI calls carry them: wildcards and error codes as Windows
// gives them, every character through the UTF-8 code page, and the two places where Windows and
// POSIX names rightly differ, letter case and separators.
#include <filesystem>

#include "tests/platform/PlatformTestSupport.h"

namespace fs = std::filesystem;

namespace {

class FindFilesTest : public PlatformTest {
  protected:
    void SetUp() override {
        for (const char* name : {"readme", "a.txt", "B.TXT", "ab.c"})
            WriteFile(dir.path() / name, "x");
        fs::create_directory(dir.path() / "sub");
    }
};

using NamesTest = PlatformTest;

// "Grüße ✓.txt" in UTF-8: letters of the Western code page and a sign outside every one.
const std::string kGreeting = "Gr\u00FC\u00DFe \u2713.txt";
const std::string kFolder = "\u00DCbersicht \u2713";

std::string NameOnDisk(const fs::path& p) {
    const std::u8string name = p.filename().u8string();
    return std::string(name.begin(), name.end());
}

}  // namespace

TEST_F(FindFilesTest, WildcardsAndErrorCodesAreWindows) {
    const Names all{".", "..", "readme", "a.txt", "B.TXT", "ab.c", "sub"};
    const std::string missing = std::string("missing") + kSep;
    // A file where the folder belongs: this layer calls it ERROR_DIRECTORY, Wine
    // ERROR_INVALID_NAME (Windows its own code).
    const DWORD fileAsFolder = RunningUnderWine() ? ERROR_INVALID_NAME : ERROR_DIRECTORY;
    const struct {
        std::string mask;
        Names names;
        DWORD error = ERROR_NO_MORE_FILES;
    } cases[] = {
        {"*.*", all},  // names without a dot included
        {"*.TXT", {"a.txt", "B.TXT"}},
        {"ab.c", {"ab.c"}},  // a pattern without wildcards names one entry
        {"?.c", {}, ERROR_FILE_NOT_FOUND},
        {"nothing.txt", {}, ERROR_FILE_NOT_FOUND},
        {missing + "*.*", {}, ERROR_PATH_NOT_FOUND},
        {missing + "ab.c", {}, ERROR_PATH_NOT_FOUND},
        {std::string("a.txt") + kSep + "*.*", {}, fileAsFolder},
    };
    for (const auto& c : cases) {
        DWORD error = 0;
        EXPECT_EQ(FoundNames(Path(c.mask), &error), c.names) << c.mask;
        EXPECT_EQ(error, c.error) << c.mask;
    }
}

TEST_F(NamesTest, NamesOutsideEveryWesternCodePageRoundTrip) {
#ifdef _WIN32
    if (GetACP() != CP_UTF8)
        GTEST_SKIP() << "the system ignored the manifest's UTF-8 code page (code page " << GetACP()
                     << ")";
#endif
    ASSERT_TRUE(CreateDirectoryA(Path(kFolder).c_str(), nullptr));
    const std::string file = Path(kFolder) + kSep + kGreeting;
    ASSERT_TRUE(CloseHandle(Open(file, GENERIC_WRITE, CREATE_NEW))) << GetLastError();

    // The system stored the characters themselves, not their bytes read as another code page.
    const fs::path folderOnDisk = fs::directory_iterator(dir.path())->path();
    EXPECT_EQ(NameOnDisk(folderOnDisk), kFolder);
    EXPECT_EQ(NameOnDisk(fs::directory_iterator(folderOnDisk)->path()), kGreeting);

    EXPECT_EQ(FoundNames(Path(kFolder) + kSep + "Gr*.txt"), (Names{kGreeting}));
}

// Patterns match in any case on both (see the wildcards), an exact name only on Windows, where
// "/" separates too; on POSIX "\" is a character of a name.
TEST_F(NamesTest, LetterCaseAndSeparatorsFollowThePlatform) {
    WriteFile(dir.path() / "sub" / "Mixed.Txt", "x");
    const std::string sub = dir.str() + "/sub";
#ifdef _WIN32
    EXPECT_EQ(FoundNames(sub + "/mixed.txt"), (Names{"Mixed.Txt"}));
#else
    EXPECT_EQ(FoundNames(sub + "/mixed.txt"), Names{});
    EXPECT_EQ(FoundNames(sub + "\\*.txt"), Names{});
    EXPECT_TRUE(CloseHandle(Open(sub + "\\f.txt", GENERIC_WRITE, CREATE_NEW)));
    EXPECT_TRUE(fs::is_regular_file(dir.path() / "sub\\f.txt"));
#endif
}
