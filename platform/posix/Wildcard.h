// Win32 file-name wildcards, as FindFirstFileA reads the last part of its pattern.
//
// The pattern is first put into the file system's own form: trailing dots and spaces are
// dropped, but a pattern that ended in a dot keeps one; then '?' becomes the DOS '?' (">"),
// a '*' before a dot the DOS star ("<"), and a dot before '?', '*' or the end the DOS dot
// ("\""). Those three may also be written directly. Then:
//   '*'  any run of characters;
//   '<'  any run of characters up to the name's last dot, or up to and with it;
//   '>'  one character, or none at the end of the name or before a dot;
//   '"'  a dot, or nothing at the end of the name;
//   any other character itself, letters without regard to ASCII case.
// A character is a whole UTF-8 sequence. The folder entries "." and ".." are found together,
// when the pattern finds "." with its dot taken as an ordinary character; Windows lists them
// so.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace w32posix {

// '*', '?' and the DOS wildcards '<', '>' and '"': a pattern holding any of them is matched;
// one without them names one entry exactly.
bool HasWildcards(std::string_view mask);

class WildcardMask {
  public:
    explicit WildcardMask(std::string_view mask);
    bool Matches(std::string_view name) const;

  private:
    enum class Op : char { Literal, Star, DosStar, DosQm, DosDot };
    struct Token {
        Op op;
        std::string text;  // a Literal's character
    };
    // A pattern is followed through at most this many tokens; a longer one (which no name of
    // 255 characters could need) finds nothing.
    static constexpr std::size_t kMaxTokens = 255;
    using States = std::bitset<kMaxTokens + 1>;
    // The token positions of each kind, as bits.
    template <typename Bits>
    struct Kinds {
        Bits stars{}, dosStars{}, questions{}, dots{}, literals{};
    };
    template <typename Bits>
    bool Run(std::string_view name, bool dotsPlain, const Kinds<Bits>& kinds) const;

    std::vector<Token> tokens_;
    Kinds<States> wide_;
    Kinds<std::uint64_t> small_;  // the same, for patterns of fewer than 64 tokens
    bool matchesAll_ = false;
    bool tooLong_ = false;
};

bool MatchesWildcard(std::string_view name, std::string_view mask);

}  // namespace w32posix
