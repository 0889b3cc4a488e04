// Windows' wildcard rules, row by row: fourteen names with dots and spaces in every place, and
// the names each pattern finds on Windows. Windows also matches a pattern against a name's 8.3
// short name; POSIX names have none, so the names a row finds only that way are listed apart
// and are not found here.
#include <sstream>
#include <vector>

#include "tests/platform/PlatformTestSupport.h"

namespace {

const char* const kNames[] = {"..a",  "..a.a", ".a",    ".a..a", ".a.a", ".aaa", "a",
                              "a..a", "a.a",   "a.a.a", "aa",    "aaa",  "aaaa", " .a"};

// Wine finds these rows' names by rules of its own: it neither reads '<', '>' and '"' as
// wildcards nor lets '?' stand for nothing, and keeps no short names to match.
constexpr bool kWineDeparts = true;

// Every name; the names without an extension, and those of them found only by a short name.
const char kAll[] = ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a";
const char kNoExtension[] = ".|..|..a|.a|.aaa|a|aa|aaa|aaaa";
const char kShortNoExtension[] = "..a|.a|.aaa";

// Patterns that find the same names.
struct Row {
    std::vector<std::string> patterns;
    const char* found;           // the names, each followed by "|" but the last
    const char* shortOnly = "";  // of those, the ones found only through a short name
    bool wineDeparts = false;
};

// clang-format off
const Row kRows[] = {
    {{"*.*.*", "*.*.", "*.*", "*", "**", "**.", "*. ", "* . ", "*.. "}, kAll},
    {{".*.*", ".*"}, ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa"},
    {{". *", "* . *", "a a*.*", "a ?.*", "? a.*", "a* a", " <..", "? .*", ". ?"}, ""},
    {{"*.", "*..", "* .", "*. .", "* ..", "<.", "<", "<..", "<. ", "< .", "< . ", "<.. ",
     "<. .", "< .."}, kNoExtension, kShortNoExtension, kWineDeparts},
    {{"*..*"}, ".|..|..a|..a.a|.a..a|a..a", "", kWineDeparts},
    {{".*.", ".<", ".<."}, ".|..|.a|.aaa", "", kWineDeparts}, {{"..*", "..* "}, ".|..|..a|..a.a"},
    {{" *..", " ?a"}, "", "", kWineDeparts}, {{"* .*.", " *a", "* *", "* .a", "** .a"}, " .a"},
    {{"a*.", "a* ."}, "..a|.a|.aaa|a|aa|aaa|aaaa", kShortNoExtension, kWineDeparts},
    {{"*a "}, "..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
    {{"*aa*"}, ".aaa|a.a.a|aa|aaa|aaaa", "a.a.a", kWineDeparts},
    {{"aa*."}, ".aaa|aa|aaa|aaaa", ".aaa", kWineDeparts}, {{"aa.*"}, "aa"},
    {{"a\"*\"a"}, "a..a|a.a.a", "", kWineDeparts},
    {{"aa*.*"}, ".aaa|a.a.a|aa|aaa|aaaa", ".aaa|a.a.a", kWineDeparts},
    {{"< .a", "<< .a", "< .<.", "< .<. "}, " .a", "", kWineDeparts},
    {{"aa? "}, "aa|aaa", "", kWineDeparts}, {{"aa\"*"}, "aa", "", kWineDeparts},
    {{"*.a"}, "..a|..a.a|.a|.a..a|.a.a|a..a|a.a|a.a.a| .a"},
    {{"<.a"}, "..a|..a.a|.a|.a..a|.a.a|a..a|a.a|a.a.a| .a", "", kWineDeparts},
    {{"<.<.<", "<.<.< "}, "..a|..a.a|.a..a|.a.a|a..a|a.a.a", "", kWineDeparts},
    {{"<.<.", "<.<. ", "<.<"},
     ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a..a|a.a|a.a.a| .a", "", kWineDeparts},
    {{".<.<"}, "..a|..a.a|.a..a|.a.a", "", kWineDeparts},
    {{"<..<"}, "..a|.a..a|a..a", "", kWineDeparts}, {{"..<", "..< "}, "..a", "", kWineDeparts},
    {{"<<", "<<."}, kAll, "", kWineDeparts},
    {{"?", "?.", "?. ", ">", ">.", ">. "}, ".|..|a", "", kWineDeparts},
    {{"??.", "??. ", ">>.", ">>. "}, ".|..|a|aa", "", kWineDeparts},
    {{"???.", ">>>."}, ".|..|a|aa|aaa", "", kWineDeparts},
    {{"?.??."}, ".|..|.a|a|a.a| .a", "", kWineDeparts},
    {{">.>>."}, ".|..|.a|a.a| .a", "", kWineDeparts},
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
        for (const std::string& pattern : row.patterns) {
            const Names found = FoundNames(Path(pattern));
#ifdef _WIN32
            // A Windows volume may keep short names or not.
            if (found == withShortNames)
                continue;
#endif
            EXPECT_EQ(found, expected) << "pattern \"" << pattern << '"';
        }
    }
}

// A pattern with an extension loses its trailing dots and spaces ("*." keeps its meaning, see
// the table), and a letter's case does not count in it.
TEST_F(WildcardTableTest, TrailingDotsAndSpacesAfterAnExtensionGo) {
    for (const char* name : {"a.b", "a.txt", "notes.TXT", "x"})
        WriteFile(dir.path() / name, "x");
    for (const char* pattern : {"*.txt.", "*.txt ", "*.txt. ."})
        EXPECT_EQ(FoundNames(Path(pattern)), (Names{"a.txt", "notes.TXT"})) << pattern;
}
