// The Windows file calls: UTF-8 in and out whatever the code page, and the \\?\ form for the
// paths that need it, made from the full path by the system's own rules.
#ifdef _WIN32

#include "platform/windows/WideText.h"
#include "tests/platform/PlatformTestSupport.h"

using WidePaths = PlatformTest;

static std::wstring SystemPathOf(const std::string& path) {
    std::wstring form;
    EXPECT_TRUE(w32wide::SystemPath(path.c_str(), form)) << path;
    return form;
}

TEST_F(WidePaths, OnlyPathsPastThePlainFormsReachGetTheFullPathWithItsPrefix) {
    const std::string name(150, 'n');
    const std::wstring wide(150, L'n');
    // Reached by the plain form: left exactly as they are.
    for (const std::string& plain : {std::string("C:\\a/./b\\..\\c. "), std::string("a\\..\\b"),
                                     "\\\\server\\share\\" + name, "\\\\?\\C:\\a/b/" + name})
        EXPECT_EQ(SystemPathOf(plain), w32wide::Widen(plain)) << plain;
    // Past them: separators, "." and ".." resolved, a trailing dot dropped, as without the
    // prefix, and a relative path taken from the current folder.
    EXPECT_EQ(SystemPathOf("C:/" + name + "/./x/../" + name + "."),
              L"\\\\?\\C:\\" + wide + L"\\" + wide);
    EXPECT_EQ(SystemPathOf("\\\\server\\share\\" + name + "\\" + name),
              L"\\\\?\\UNC\\server\\share\\" + wide + L"\\" + wide);
    EXPECT_EQ(SystemPathOf(name + "\\" + name),
              L"\\\\?\\" + std::filesystem::current_path().wstring() + L"\\" + wide + L"\\" + wide);

    std::wstring form;
    SetLastError(0);
    EXPECT_FALSE(w32wide::SystemPath(("C:\\" + std::string(32765, 'x')).c_str(), form));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

// A name longer than an entry's field (only Windows' own file systems hold one) is cut between
// characters, and so is a settings value cut to a buffer of bytes.
TEST_F(WidePaths, TextsAreCutBetweenCharacters) {
    std::string longName;
    for (int i = 0; i < 100; ++i)
        longName += "\xE6\x97\xA5";
    WIN32_FIND_DATAA entry;
    EXPECT_EQ(w32wide::CopyCut(longName, entry.cFileName, sizeof entry.cFileName), 258u);
    EXPECT_EQ(entry.cFileName, longName.substr(0, 258));
    const std::string ini = Path("\u00E9t\u00E9.ini");
    ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "\xE6\x97\xA5\xE6\x9C\xAC", ini.c_str()));
    char value[6] = {};
    EXPECT_EQ(GetPrivateProfileStringA("S", "K", "", value, sizeof value, ini.c_str()), 3u);
    EXPECT_EQ(std::string(value), "\xE6\x97\xA5");
}

#endif
