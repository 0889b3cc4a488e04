#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "tests/platform/PlatformTestSupport.h"
#include "tests/support/Unprivileged.h"

namespace fs = std::filesystem;

namespace {

class PrivateProfileTest : public PlatformTest {
  protected:
    // The value read; `count` receives what the call returned.
    std::string Read(const char* section, const char* key, const char* def = "default") {
        std::string buffer(256, '#');
        count = GetPrivateProfileStringA(section, key, def, buffer.data(), 256, file.c_str());
        return buffer.substr(0, buffer.find('\0'));
    }
    BOOL Write(const char* section, const char* key, const char* value) {
        return WritePrivateProfileStringA(section, key, value, file.c_str());
    }
    void Put(const std::string& text) { WriteFile(dir.path() / "s.ini", text); }
    // The file's text with line ends shown as LF, as both platforms' files read alike then.
    std::string Text() const {
        std::string text = ReadFileText(dir.path() / "s.ini");
        std::erase(text, '\r');
        return text;
    }

    std::string file = dir.str("s.ini");
    DWORD count = 0;
};

}  // namespace

TEST_F(PrivateProfileTest, ValuesAreTrimmedUnquotedCutToTheBufferAndReadAfresh) {
    Put("[Main]\n  Name  =  some value   \nQuoted=\" padded \"\nLong=" + std::string(300, 'v') +
        "\nEmpty=\n[N]\na= 42abc\nb=abc\nc=-7\nd=\"12\"\n");
    // Integers are the value's leading number.
    for (auto [key, expected] : {std::pair{"a", 42}, {"b", 0}, {"c", -7}, {"d", 12}, {"e", 5}})
        EXPECT_EQ(static_cast<INT>(GetPrivateProfileIntA("N", key, 5, file.c_str())), expected);
    EXPECT_EQ(Read("MAIN", "name"), "some value");
    EXPECT_EQ(Read("Main", "Quoted"), " padded ");
    EXPECT_EQ(Read("Main", "Long", ""), std::string(255, 'v'));
    EXPECT_EQ(count, 255u);
    EXPECT_EQ(Read("Main", "Empty"), "");
    EXPECT_EQ(Read("Main", "Missing", "fallback  "), "fallback");
    EXPECT_EQ(count, 8u);

    // Another program may edit the settings between two reads: every kind of change shows at
    // once.
    Put("[A]\nx=1\n");
    SetWriteTime(dir.path() / "s.ini", 1600000000);
    EXPECT_EQ(Read("A", "x"), "1");
    Put("[A]\nx=2\n");  // same size: only the time tells
    SetWriteTime(dir.path() / "s.ini", 1600000100);
    EXPECT_EQ(Read("A", "x"), "2");
    fs::remove(dir.path() / "s.ini");
    EXPECT_EQ(Read("A", "x"), "default");
}

TEST_F(PrivateProfileTest, WritesCreateReplaceAndPlaceKeysWhereTheyBelong) {
    EXPECT_TRUE(Write("Settings", "Empty", ""));
    EXPECT_EQ(Text(), "[Settings]\nEmpty=\n");

    Put("; leading comment\n[A]\n# note\nx=1\nnot a key line\ny=2\n\n[B]\nz=3\n");
    EXPECT_TRUE(Write("a", "X", "9") && Write("A", "new", "n") && Write("C", "k", "v"));
    // Every other line stays as it was; Wine's writer drops the blank ones.
    const std::string blank = RunningUnderWine() ? "" : "\n";
    EXPECT_EQ(Text(), "; leading comment\n[A]\n# note\nx=9\nnot a key line\ny=2\nnew=n\n" + blank +
                          "[B]\nz=3\n" + blank + "[C]\nk=v\n");
    // A file's own line ends stay.
    Put("[A]\r\nx=1\r\n");
    EXPECT_EQ(Read("A", "x"), "1");
    EXPECT_TRUE(Write("A", "y", "2"));
    EXPECT_EQ(ReadFileText(dir.path() / "s.ini"), "[A]\r\nx=1\r\ny=2\r\n");
    file = dir.str("no" + std::string(kSepText) + "s.ini");
    EXPECT_EQ(Outcome(Write("A", "x", "1")), Failed(ERROR_PATH_NOT_FOUND));
}

#ifndef _WIN32
// A settings file that is a link reads what its target holds. This layer rewrites a settings file
// through a temporary one beside it: the file must keep its mode bits, stay a link when it is one,
// and refuse the write when it is read-only. The temporaries of a save that was killed go with
// the next save, unless their program still runs.
TEST_F(PrivateProfileTest, ReplacementKeepsModeLinksReadOnlyFilesAndReadOnlyFolders) {
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    const fs::path real = dir.path() / "real.ini";
    WriteFile(real, "[A]\nx=1\n");
    fs::permissions(real, mode);
    fs::create_symlink(real, dir.path() / "s.ini");
    EXPECT_EQ(Read("A", "x"), "1");
    const std::string own = ".real.ini." + std::to_string(::getpid()) + ".9.tmp";
    for (const std::string name :
         {".real.ini.999999999.1.tmp", ".s.ini.999999999.1.tmp", "real.ini.tmp", own.c_str()})
        WriteFile(dir.path() / name, "left over");
    EXPECT_TRUE(Write("A", "x", "2"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "s.ini"));
    EXPECT_EQ(fs::status(real).permissions(), mode);
    EXPECT_EQ(ReadFileText(real), "[A]\nx=2\n");
    WriteFile(real, "[A]\nx=99\n");  // a change to the target alone shows through the link
    EXPECT_EQ(Read("A", "x"), "99");
    EXPECT_FALSE(fs::exists(dir.path() / ".real.ini.999999999.1.tmp"));
    for (const std::string name : {".s.ini.999999999.1.tmp", "real.ini.tmp", own.c_str()})
        EXPECT_TRUE(fs::exists(dir.path() / name)) << name;

    // A value written raw with a line break reads back as the lines the file now holds.
    EXPECT_TRUE(Write("A", "x", "1\ny=2\n[B]\nz=3"));
    EXPECT_EQ(Read("A", "x") + Read("A", "y") + Read("B", "z"), "123");

    fs::permissions(real, fs::perms::owner_read);
    EXPECT_EQ(Outcome(Write("A", "x", "3")), Failed(ERROR_ACCESS_DENIED));

    // The folder made immutable, the settings file in it not: no temporary can be made beside
    // it, so the file is rewritten where it is, and cut to a shorter text's length.
    fs::permissions(real, mode);
    if (!RunningAsRoot() || std::system(("chattr +i '" + dir.str() + "' 2>/dev/null").c_str()))
        GTEST_SKIP() << "chattr +i is not available";
    BOOL longer = Write("A", "x", "a longer value than before");
    const std::string longText = Text();
    BOOL shorter = Write("A", "x", "2");
    std::system(("chattr -i '" + dir.str() + "'").c_str());
    EXPECT_TRUE(longer && shorter);
    EXPECT_EQ(longText, "[A]\nx=a longer value than before\ny=2\n[B]\nz=3\n");
    EXPECT_EQ(Text(), "[A]\nx=2\ny=2\n[B]\nz=3\n");
}

// Another user's program still runs though no signal may be sent to it: its save's temporary
// stays.
TEST_F(PrivateProfileTest, AnotherUsersSaveInProgressIsLeftAlone) {
    if (RanAsUnprivilegedUser())
        return;
    Put("[A]\nx=1\n");
    const std::string theirs = ".s.ini." + std::to_string(::getppid()) + ".1.tmp";
    WriteFile(dir.path() / theirs, "their save");
    EXPECT_TRUE(Write("A", "x", "2"));
    EXPECT_TRUE(fs::exists(dir.path() / theirs));
}
#endif
