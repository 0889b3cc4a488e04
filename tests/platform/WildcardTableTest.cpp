// Windows' wildcard rules, row by row: fourteen names with dots and spaces in every place, and
// the names each pattern finds on Windows. Windows also matches a pattern against a name's 8.3
// short name; POSIX names have none, so the names a row finds only that way are listed apart
// and are not found here.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/platform/PlatformTestSupport.h"

namespace {

const char* const kNames[] = {"..a",  "..a.a", ".a",    ".a..a", ".a.a", ".aaa", "a",
                              "a..a", "a.a",   "a.a.a", "aa",    "aaa",  "aaaa", " .a"};

// Wine finds these rows' names by rules of its own: it neither reads '<', '>' and '"' as
// wildcards nor lets '?' stand for nothing, and keeps no short names to match.
constexpr bool kWineDeparts = true;

struct Row {
    const char* pattern;
    const char* found;           // the names, each followed by "|" but the last
    const char* shortOnly = "";  // of those, the ones found only through a short name
    bool wineDeparts = false;
};

// clang-format off
const Row kRows[] = {
        {"*.*.*", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"*.*.", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {".*.*", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa"},
        {"*.*", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {".*", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa"},
        {". *", ""},
        {"*.", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {"*", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"*..*", ".|..|..a|..a.a|.a..a|a..a", "", kWineDeparts},
        {"*..", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {".*.", ".|..|.a|.aaa", "", kWineDeparts},
        {"..*", ".|..|..a|..a.a"},
        {"**", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"**.", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"*. ", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"* .", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {"* . ", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"* . *", ""},
        {"*.. ", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"*. .", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {"* ..", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {" *..", "", "", kWineDeparts},
        {"..* ", ".|..|..a|..a.a"},
        {"* .*.", " .a"},
        {"a*.", "..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {"*a ", "..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"*aa*", ".aaa|a.a.a|aa|aaa|aaaa", "a.a.a", kWineDeparts},
        {"aa*.", ".aaa|aa|aaa|aaaa", ".aaa", kWineDeparts},
        {"aa.*", "aa"},
        {"a a*.*", ""},
        {"a\"*\"a", "a..a|a.a.a", "", kWineDeparts},
        {"aa*.*", ".aaa|a.a.a|aa|aaa|aaaa", ".aaa|a.a.a", kWineDeparts},
        {"a ?.*", ""},
        {"? a.*", ""},
        {"a* a", ""},
        {" *a", " .a"},
        {"* *", " .a"},
        {"a* .", "..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {" ?a", "", "", kWineDeparts},
        {"* .a", " .a"},
        {"< .a", " .a", "", kWineDeparts},
        {"** .a", " .a"},
        {"<< .a", " .a", "", kWineDeparts},
        {"aa? ", "aa|aaa", "", kWineDeparts},
        {"aa\"*", "aa", "", kWineDeparts},
        {"*.a", "..a|..a.a|.a|.a..a|.a.a|a..a|a.a|a.a.a| .a"},
        {"<.a", "..a|..a.a|.a|.a..a|.a.a|a..a|a.a|a.a.a| .a", "", kWineDeparts},
        {"<.<.<", "..a|..a.a|.a..a|.a.a|a..a|a.a.a", "", kWineDeparts},
        {"<.<.< ", "..a|..a.a|.a..a|.a.a|a..a|a.a.a", "", kWineDeparts},
        {"<.<.", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a..a|a.a|a.a.a| .a", "", kWineDeparts},
        {"< .<.", " .a", "", kWineDeparts},
        {"< .<. ", " .a", "", kWineDeparts},
        {"<.<. ", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a..a|a.a|a.a.a| .a", "", kWineDeparts},
        {".<.<", "..a|..a.a|.a..a|.a.a", "", kWineDeparts},
        {"<.<", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a..a|a.a|a.a.a| .a", "", kWineDeparts},
        {".<", ".|..|.a|.aaa", "", kWineDeparts},
        {"<.", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {"<", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {"<..<", "..a|.a..a|a..a", "", kWineDeparts},
        {"<..", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {".<.", ".|..|.a|.aaa", "", kWineDeparts},
        {"..<", "..a", "", kWineDeparts},
        {"<<", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a", "", kWineDeparts},
        {"<<.", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a", "", kWineDeparts},
        {"<. ", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {"< .", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {"< . ", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {"<.. ", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {"<. .", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {"< ..", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa", kWineDeparts},
        {" <..", ""},
        {"..< ", "..a", "", kWineDeparts},
        {"?", ".|..|a", "", kWineDeparts},
        {"?.", ".|..|a", "", kWineDeparts},
        {"?. ", ".|..|a", "", kWineDeparts},
        {"? .*", ""},
        {"??.", ".|..|a|aa", "", kWineDeparts},
        {"??. ", ".|..|a|aa", "", kWineDeparts},
        {"???.", ".|..|a|aa|aaa", "", kWineDeparts},
        {"?.??.", ".|..|.a|a|a.a| .a", "", kWineDeparts},
        {". ?", ""},
        {">", ".|..|a", "", kWineDeparts},
        {">.", ".|..|a", "", kWineDeparts},
        {">. ", ".|..|a", "", kWineDeparts},
        {">>.", ".|..|a|aa", "", kWineDeparts},
        {">>. ", ".|..|a|aa", "", kWineDeparts},
        {">>>.", ".|..|a|aa|aaa", "", kWineDeparts},
        {">.>>.", ".|..|.a|a.a| .a", "", kWineDeparts},
};
// clang-format on

Names Split(const std::string& text) {
    Names names;
    std::istringstream in(text);
    for (std::string name; std::getline(in, name, '|');)
        names.insert(name);
    return names;
}

using WildcardTableTest = PlatformTest;

}  // namespace

TEST_F(WildcardTableTest, EveryRowFindsWhatWindowsFinds) {
    for (const char* name : kNames)
        WriteFile(dir.path() / name, "x");
    const bool underWine = RunningUnderWine();
    for (const Row& row : kRows) {
        if (underWine && row.wineDeparts)
            continue;
        const Names withShortNames = Split(row.found);
        Names expected = withShortNames;
        for (const std::string& name : Split(row.shortOnly))
            expected.erase(name);
        const Names found = FoundNames(Path(row.pattern));
#ifdef _WIN32
        // A Windows volume may keep short names or not.
        if (found == withShortNames)
            continue;
#endif
        EXPECT_EQ(found, expected) << "pattern \"" << row.pattern << '"';
    }
}

// The same rules in a name's words: '?' and '>' stand for nothing at the end or before a dot
// and never for a dot, trailing dots and spaces go, and a letter's case does not count in a
// pattern.
TEST_F(WildcardTableTest, PatternsOfEverydayNames) {
    for (const char* name : {"file.dat", "file1.dat", "a.b", "a.txt", "notes.TXT", "x"})
        WriteFile(dir.path() / name, "x");
    const struct {
        const char* pattern;
        Names names;
        bool wineDeparts = false;
    } cases[] = {
        {"file?.dat", {"file.dat", "file1.dat"}, kWineDeparts},
        {"??", {".", "..", "x"}, kWineDeparts},
        {"a?b", {}, kWineDeparts},
        {"*.txt.", {"a.txt", "notes.TXT"}},
        {"*.txt ", {"a.txt", "notes.TXT"}},
        {"*.txt. .", {"a.txt", "notes.TXT"}},
        {"<.dat", {"file.dat", "file1.dat"}, kWineDeparts},
    };
    for (const auto& c : cases) {
        if (c.wineDeparts && RunningUnderWine())
            continue;
        EXPECT_EQ(FoundNames(Path(c.pattern)), c.names) << "pattern \"" << c.pattern << '"';
    }
}
