// File names as the ANSI calls carry them: every character through UTF-8, whatever the code
// page, and the two places where Windows and POSIX names rightly differ, letter case and
// separators. The wildcards and error codes of enumerations are in the wildcard table.
#include <filesystem>

#include "tests/platform/PlatformTestSupport.h"

namespace fs = std::filesystem;

using NamesTest = PlatformTest;

// "Grüße ✓ 😀.txt" in UTF-8: letters of the Western code page, a sign outside every one and
// one outside the 16-bit range.
const std::string kGreeting = "Gr\u00FC\u00DFe \u2713 \U0001F600.txt";
const std::string kFolder = "\u00DCbersicht \u2713";

static std::string NameOnDisk(const fs::path& p) {
    const std::u8string name = p.filename().u8string();
    return std::string(name.begin(), name.end());
}

TEST_F(NamesTest, NamesOutsideEveryCodePageRoundTripAndFollowThePlatformsRules) {
    ASSERT_TRUE(CreateDirectoryA(Path(kFolder).c_str(), nullptr));
    const std::string file = Path(kFolder) + kSep + kGreeting;
    ASSERT_TRUE(CloseHandle(Open(file, GENERIC_WRITE, CREATE_NEW))) << GetLastError();

    // The system stored the characters themselves, not their bytes read as another code page.
    const fs::path folderOnDisk = fs::directory_iterator(dir.path())->path();
    EXPECT_EQ(NameOnDisk(folderOnDisk), kFolder);
    EXPECT_EQ(NameOnDisk(fs::directory_iterator(folderOnDisk)->path()), kGreeting);

    EXPECT_EQ(FoundNames(Path(kFolder) + kSep + "Gr*.txt"), (Names{kGreeting}));
    EXPECT_EQ(FoundNames(file), (Names{kGreeting}));
    EXPECT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Outcome(DeleteFileA(file.c_str())), "ok");

    // Patterns match in any case on both (see the wildcards), an exact name only on Windows,
    // where "/" separates too; on POSIX "\" is a character of a name.
    const std::string sub = dir.str() + "/" + kFolder;
    ASSERT_TRUE(CloseHandle(Open(sub + "/Mixed.Txt", GENERIC_WRITE, CREATE_NEW)));
    EXPECT_EQ(FoundNames(sub + "/m*.TXT"), (Names{"Mixed.Txt"}));
#ifdef _WIN32
    EXPECT_EQ(FoundNames(sub + "/mixed.txt"), (Names{"Mixed.Txt"}));
#else
    EXPECT_EQ(FoundNames(sub + "/mixed.txt"), Names{});
    EXPECT_EQ(FoundNames(sub + "\\*.txt"), Names{});
    EXPECT_TRUE(CloseHandle(Open(sub + "\\f.txt", GENERIC_WRITE, CREATE_NEW)));
    EXPECT_TRUE(fs::is_regular_file(dir.path() / (kFolder + "\\f.txt")));
#endif
}
