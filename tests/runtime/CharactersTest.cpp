#include <gtest/gtest.h>

#include <string>

#include "runtime/Characters.h"

using namespace runtime;

// One character per code point of one to four bytes; bytes that start no character, and a
// sequence cut short, count one each; a cut never falls inside a character.
TEST(Characters, CountCodePointsAndCutBetweenThem) {
    const std::string mixed = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80z";  // a é 日 😀 z
    EXPECT_EQ(CharacterCount(mixed), 5u);
    const std::size_t cuts[] = {0, 1, 3, 6, 10, 11, 11};
    for (std::size_t count = 0; count < std::size(cuts); ++count)
        EXPECT_EQ(BytesOfCharacters(mixed, count), cuts[count]) << count;

    const std::string broken{'\x80', '\xBF', 'b', '\xE6', '\x97', 'c', '\xF8'};
    EXPECT_EQ(CharacterCount(broken), 6u);
    EXPECT_EQ(BytesOfCharacters(broken, 4), 5u);  // the short sequence is one character
    EXPECT_EQ(CharacterCount(""), 0u);
}
