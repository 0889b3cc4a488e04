#include "runtime/Characters.h"

namespace runtime {

namespace {

// A continuation byte (10xxxxxx) belongs to the character started before it.
bool Continues(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The bytes of the character that starts at `at`: its lead byte and the continuation bytes
// the lead announces and that actually follow.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t expected = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (lead >= 0xF8 || (lead & 0xC0) == 0x80)
        expected = 1;  // no valid lead byte: a character of its own
    std::size_t length = 1;
    while (length < expected && at + length < text.size() && Continues(text[at + length]))
        ++length;
    return length;
}

}  // namespace

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at))
        ++count;
    return count;
}

std::size_t BytesOfCharacters(std::string_view text, std::size_t count) {
    std::size_t at = 0;
    for (; at < text.size() && count > 0; --count)
        at += CharacterLength(text, at);
    return at;
}

}  // namespace runtime
