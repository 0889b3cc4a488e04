// Characters of UTF-8 text, as the user counts them: one per code point, whatever its length
// in bytes. A byte that starts no valid sequence counts as one character of its own.
#pragma once

#include <cstddef>
#include <string_view>

namespace runtime {

// The number of characters in `text`.
std::size_t CharacterCount(std::string_view text);

// The length in bytes of the first `count` characters of `text` (all of it when it has fewer),
// so that a cut there never splits a character.
std::size_t BytesOfCharacters(std::string_view text, std::size_t count);

}  // namespace runtime
