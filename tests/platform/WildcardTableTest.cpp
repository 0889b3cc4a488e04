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

struct Row {
    const char* pattern;
    const char* found;           // the names, each followed by "|" but the last
    const char* shortOnly = "";  // of those, the ones found only through a short name
};

// clang-format off
const Row kRows[] = {
        {"*.*.*", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"*.*.", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {".*.*", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa"},
        {"*.*", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {".*", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa"},
        {". *", ""},
        {"*.", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {"*", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"*..*", ".|..|..a|..a.a|.a..a|a..a"},
        {"*..", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {".*.", ".|..|.a|.aaa"},
        {"..*", ".|..|..a|..a.a"},
        {"**", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"**.", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"*. ", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"* .", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {"* . ", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"* . *", ""},
        {"*.. ", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"*. .", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {"* ..", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {" *..", ""},
        {"..* ", ".|..|..a|..a.a"},
        {"* .*.", " .a"},
        {"a*.", "..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {"*a ", "..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"*aa*", ".aaa|a.a.a|aa|aaa|aaaa", "a.a.a"},
        {"aa*.", ".aaa|aa|aaa|aaaa", ".aaa"},
        {"aa.*", "aa"},
        {"a a*.*", ""},
        {"a\"*\"a", "a..a|a.a.a"},
        {"aa*.*", ".aaa|a.a.a|aa|aaa|aaaa", ".aaa|a.a.a"},
        {"a ?.*", ""},
        {"? a.*", ""},
        {"a* a", ""},
        {" *a", " .a"},
        {"* *", " .a"},
        {"a* .", "..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {" ?a", ""},
        {"* .a", " .a"},
        {"< .a", " .a"},
        {"** .a", " .a"},
        {"<< .a", " .a"},
        {"aa? ", "aa|aaa"},
        {"aa\"*", "aa"},
        {"*.a", "..a|..a.a|.a|.a..a|.a.a|a..a|a.a|a.a.a| .a"},
        {"<.a", "..a|..a.a|.a|.a..a|.a.a|a..a|a.a|a.a.a| .a"},
        {"<.<.<", "..a|..a.a|.a..a|.a.a|a..a|a.a.a"},
        {"<.<.< ", "..a|..a.a|.a..a|.a.a|a..a|a.a.a"},
        {"<.<.", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a..a|a.a|a.a.a| .a"},
        {"< .<.", " .a"},
        {"< .<. ", " .a"},
        {"<.<. ", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a..a|a.a|a.a.a| .a"},
        {".<.<", "..a|..a.a|.a..a|.a.a"},
        {"<.<", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a..a|a.a|a.a.a| .a"},
        {".<", ".|..|.a|.aaa"},
        {"<.", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {"<", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {"<..<", "..a|.a..a|a..a"},
        {"<..", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {".<.", ".|..|.a|.aaa"},
        {"..<", "..a"},
        {"<<", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"<<.", ".|..|..a|..a.a|.a|.a..a|.a.a|.aaa|a|a..a|a.a|a.a.a|aa|aaa|aaaa| .a"},
        {"<. ", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {"< .", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {"< . ", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {"<.. ", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {"<. .", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {"< ..", ".|..|..a|.a|.aaa|a|aa|aaa|aaaa", "..a|.a|.aaa"},
        {" <..", ""},
        {"..< ", "..a"},
        {"?", ".|..|a"},
        {"?.", ".|..|a"},
        {"?. ", ".|..|a"},
        {"? .*", ""},
        {"??.", ".|..|a|aa"},
        {"??. ", ".|..|a|aa"},
        {"???.", ".|..|a|aa|aaa"},
        {"?.??.", ".|..|.a|a|a.a| .a"},
        {". ?", ""},
        {">", ".|..|a"},
        {">.", ".|..|a"},
        {">. ", ".|..|a"},
        {">>.", ".|..|a|aa"},
        {">>. ", ".|..|a|aa"},
        {">>>.", ".|..|a|aa|aaa"},
        {">.>>.", ".|..|.a|a.a| .a"},
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
#ifdef _WIN32
    const bool shortNames = true;
#else
    const bool shortNames = false;
#endif
    for (const Row& row : kRows) {
        Names expected = Split(row.found);
        if (!shortNames) {
            for (const std::string& name : Split(row.shortOnly))
                expected.erase(name);
        }
        EXPECT_EQ(FoundNames(Path(row.pattern)), expected) << "pattern \"" << row.pattern << '"';
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
    } cases[] = {
        {"file?.dat", {"file.dat", "file1.dat"}},
        {"??", {".", "..", "x"}},
        {"a?b", {}},
        {"*.txt.", {"a.txt", "notes.TXT"}},
        {"*.txt ", {"a.txt", "notes.TXT"}},
        {"*.txt. .", {"a.txt", "notes.TXT"}},
        {"<.dat", {"file.dat", "file1.dat"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoundNames(Path(c.pattern)), c.names) << "pattern \"" << c.pattern << '"';
}
