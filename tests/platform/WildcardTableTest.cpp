// Windows' wildcard rules, row by row: fourteen names with dots and spaces in every place, and
// the names each pattern finds on Windows, or the error it gives. Windows also matches a pattern
// against a name's 8.3 short name; POSIX names have none, so the names a row finds only that way
// are listed apart and are not found here.
#include <sstream>
#include <vector>

#include "tests/platform/PlatformTestSupport.h"

namespace {

const char* const kNames[] = {"..a",  "..a.a", ".a",    ".a..a", ".a.a", ".aaa", "a",
                              "a..a", "a.a",   "a.a.a", "aa",    "aaa",  "aaaa", " .a"};

// Wine finds these rows' names by rules of its own: it neither reads '<', '>' and '"' as
// wildcards nor lets '?' stand for nothing, and keeps no short names to match.
constexpr bool kWineDeparts = true;

// Every name, and the names without an extension found only by a short name.
const char kAll[] = ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a";
const char kShortNoExtension[] = "..a|.a|.aaa";
const std::string kMissing = std::string("missing") + kSep;

// Patterns that find the same names.
struct Row {
    std::vector<std::string> patterns;
    const char* found;           // the names, each followed by "|" but the last
    const char* shortOnly = "";  // of those, the ones found only through a short name
    bool wineDeparts = false;
    DWORD error = ERROR_FILE_NOT_FOUND;  // when nothing is found: no end of an enumeration
};

// clang-format off
const Row kRows[] = {
    {{"*.*.*", "*.*.", "*.*", "*", "**", "**.", "*. ", "* . ", "*.. "}, kAll},
    {{".*.*", ".*"}, ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa"},
    {{". *", "* . *", "a a*.*", "a ?.*", "? a.*", "a* a", " <..", "? .*", ". ?"}, ""},
    {{"*.", "*..", "* .", "*. .", "* ..", "<.", "<", "<..", "<. ", "< .", "< . ", "<.. ",
     "<. .", "< .."}, ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", kShortNoExtension, kWineDeparts},
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
    // A pattern with an extension loses its trailing dots and spaces ("*." keeps its meaning),
    // and a letter's case does not count in it; a name without wildcards is found as it is.
    {{"*.a", "*.A", "*.a.", "*.a ", "*.a. ."}, "..a|..a.a|.a|.a..a|.a.a|a..a|a.a|a.a.a| .a"},
    {{"a.a"}, "a.a"},
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
    // Nothing there: a name, a folder, a folder that is a file (Wine: ERROR_INVALID_NAME).
    {{"b"}, ""}, {{kMissing + "*", kMissing + "a"}, "", "", false, ERROR_PATH_NOT_FOUND},
    {{std::string("a") + kSep + "*"}, "", "", kWineDeparts, ERROR_DIRECTORY},
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
    for (const Row& row : kRows) {
        if (row.wineDeparts && RunningUnderWine())
            continue;
        Names expected = Split(row.found);
        std::erase_if(expected, [&](auto& name) { return Split(row.shortOnly).contains(name); });
        for (const std::string& pattern : row.patterns) {
            DWORD error = 0;
            const Names found = FoundNames(Path(pattern), &error);
            EXPECT_EQ(error, found.empty() ? row.error : ERROR_NO_MORE_FILES) << pattern;
#ifdef _WIN32
            // A Windows volume may keep short names or not.
            if (found == Split(row.found))
                continue;
#endif
            EXPECT_EQ(found, expected) << "pattern \"" << pattern << '"';
        }
    }
}
