// Windows' wildcard rules, row by row: fourteen names with dots and spaces in every place, and
// the names each pattern finds on Windows, with the error codes Windows gives. Windows also matches
// a pattern against a name's 8.3 short name; POSIX names have none, so the names a row finds only
// that way are listed apart and are not found here.
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
            DWORD error = 0;
            const Names found = FoundNames(Path(pattern), &error);
#ifdef _WIN32
            // A Windows volume may keep short names or not.
            if (found == withShortNames)
                continue;
#endif
            EXPECT_EQ(found, expected) << "pattern \"" << pattern << '"';
            // Nothing found is an error of its own, not the end of an enumeration.
            EXPECT_EQ(error, static_cast<DWORD>(expected.empty() ? ERROR_FILE_NOT_FOUND
                                                                 : ERROR_NO_MORE_FILES))
                << pattern;
        }
    }
    // A missing folder, a file where a folder belongs (this layer calls it ERROR_DIRECTORY,
    // Wine ERROR_INVALID_NAME, Windows its own code), and a name that is not there.
    const std::string missing = std::string("missing") + kSep, inFile = std::string("a") + kSep;
    const std::pair<std::string, DWORD> failures[] = {
        {missing + "*", ERROR_PATH_NOT_FOUND},
        {missing + "a", ERROR_PATH_NOT_FOUND},
        {inFile + "*", RunningUnderWine() ? ERROR_INVALID_NAME : ERROR_DIRECTORY},
        {"b", ERROR_FILE_NOT_FOUND}};
    for (const auto& [pattern, error] : failures) {
        DWORD last = 0;
        EXPECT_EQ(FoundNames(Path(pattern), &last), Names{}) << pattern;
        EXPECT_EQ(last, error) << pattern;
    }
}
