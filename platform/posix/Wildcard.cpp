#include "platform/posix/Wildcard.h"

#include <bit>

namespace w32posix {
namespace {

// The length of the UTF-8 sequence that starts at `at`; a byte that starts none stands alone.
std::size_t CharLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (at + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameCharacter(std::string_view a, std::string_view b) {
    if (a.size() == 1 && b.size() == 1)
        return FoldCase(a[0]) == FoldCase(b[0]);
    return a == b;
}

}  // namespace

bool HasWildcards(std::string_view mask) {
    return mask.find_first_of("*?<>\"") != std::string_view::npos;
}

WildcardMask::WildcardMask(std::string_view mask) {
    std::string_view stem = mask;
    while (!stem.empty() && (stem.back() == '.' || stem.back() == ' '))
        stem.remove_suffix(1);
    std::string form(stem);
    if (stem.size() < mask.size() && mask.back() == '.')
        form += '.';

    for (std::size_t at = 0; at < form.size();) {
        const std::size_t length = CharLength(form, at);
        const char c = form[at];
        const char next = at + length < form.size() ? form[at + length] : '\0';
        Op op = Op::Literal;
        if (length == 1) {
            switch (c) {
                case '?':
                case '>':
                    op = Op::DosQm;
                    break;
                case '*':
                    op = next == '.' ? Op::DosStar : Op::Star;
                    break;
                case '<':
                    op = Op::DosStar;
                    break;
                case '"':
                    op = Op::DosDot;
                    break;
                case '.':
                    op = next == '?' || next == '*' || next == '\0' ? Op::DosDot : Op::Literal;
                    break;
                default:
                    break;
            }
        }
        // A run of stars is one star.
        if (!(op == Op::Star && !tokens_.empty() && tokens_.back().op == Op::Star))
            tokens_.push_back(
                Token{op, op == Op::Literal ? form.substr(at, length) : std::string()});
        at += length;
    }
    tooLong_ = tokens_.size() > kMaxTokens;
    for (std::size_t i = 0; i < tokens_.size() && !tooLong_; ++i) {
        switch (tokens_[i].op) {
            case Op::Star:
                wide_.stars.set(i);
                break;
            case Op::DosStar:
                wide_.dosStars.set(i);
                break;
            case Op::DosQm:
                wide_.questions.set(i);
                break;
            case Op::DosDot:
                wide_.dots.set(i);
                break;
            case Op::Literal:
                wide_.literals.set(i);
                break;
        }
    }
    if (tokens_.size() < 64) {
        small_ = {wide_.stars.to_ullong(), wide_.dosStars.to_ullong(), wide_.questions.to_ullong(),
                  wide_.dots.to_ullong(), wide_.literals.to_ullong()};
    }
    // "*" and "*.*" (which becomes '<', '"', '*') find every name; walks use little else.
    const bool allStars = tokens_.size() == 1 && tokens_[0].op == Op::Star;
    const bool starDotStar = tokens_.size() == 3 && tokens_[0].op == Op::DosStar &&
                             tokens_[1].op == Op::DosDot && tokens_[2].op == Op::Star;
    matchesAll_ = allStars || starDotStar;
}

bool WildcardMask::Matches(std::string_view name) const {
    if (matchesAll_)
        return true;
    if (tooLong_)
        return false;
    const bool dotEntry = name == "." || name == "..";
    if (dotEntry)
        name = ".";
    if (tokens_.size() < 64)
        return Run<std::uint64_t>(name, dotEntry, small_);
    return Run<States>(name, dotEntry, wide_);
}

namespace {

bool Any(std::uint64_t bits) {
    return bits != 0;
}
bool Any(const std::bitset<256>& bits) {
    return bits.any();
}
bool Test(std::uint64_t bits, std::size_t i) {
    return (bits >> i) & 1;
}
bool Test(const std::bitset<256>& bits, std::size_t i) {
    return bits.test(i);
}
// Calls `f` with the position of every set bit below `count`, lowest first.
template <typename F>
void ForEachBit(std::uint64_t bits, std::size_t, F f) {
    for (; bits != 0; bits &= bits - 1)
        f(static_cast<std::size_t>(std::countr_zero(bits)));
}
template <typename F>
void ForEachBit(const std::bitset<256>& bits, std::size_t count, F f) {
    for (std::size_t i = 0; i < count; ++i) {
        if (bits.test(i))
            f(i);
    }
}
void Set(std::uint64_t& bits, std::size_t i) {
    bits |= std::uint64_t{1} << i;
}
void Set(std::bitset<256>& bits, std::size_t i) {
    bits.set(i);
}

}  // namespace

// Every token position the name so far can have reached is followed at once, one character at
// a time, as a set of bits: bit i is "the tokens before i are matched". A position past the
// last token has matched the whole pattern. With `dotsPlain`, a dot is an ordinary character
// to '<' and '>'.
template <typename Bits>
bool WildcardMask::Run(std::string_view name, bool dotsPlain, const Kinds<Bits>& kinds) const {
    const std::size_t lastDot = dotsPlain ? std::string_view::npos : name.rfind('.');
    // The positions reached without taking a character: past a star always, past a DOS '?'
    // at a dot or the end, past a DOS dot at the end.
    auto close = [&](Bits& states, std::size_t at) {
        const bool atEnd = at == name.size();
        const bool atDot = !atEnd && name[at] == '.';
        Bits passable = kinds.stars | kinds.dosStars;
        if (dotsPlain || atEnd || atDot)
            passable |= kinds.questions;
        if (atEnd)
            passable |= kinds.dots;
        for (Bits more = (states & passable) << 1; Any(more & ~states);
             more = (states & passable) << 1) {
            states |= more;
        }
    };

    Bits reached{};
    Set(reached, 0);
    close(reached, 0);
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = CharLength(name, at);
        const std::string_view c = name.substr(at, length);
        const bool isDot = c == ".";
        // Stars stay; a DOS star moves on with the last dot; a DOS '?' takes any character but
        // a dot, a DOS dot only a dot, a literal only itself.
        Bits following = reached & kinds.stars;
        const Bits dosStars = reached & kinds.dosStars;
        following |= at == lastDot ? dosStars << 1 : dosStars;
        if (dotsPlain || !isDot)
            following |= (reached & kinds.questions) << 1;
        if (isDot)
            following |= (reached & kinds.dots) << 1;
        ForEachBit(reached & kinds.literals, tokens_.size(), [&](std::size_t i) {
            if (SameCharacter(c, tokens_[i].text))
                Set(following, i + 1);
        });
        if (!Any(following))
            return false;
        at += length;
        close(following, at);
        reached = following;
    }
    return Test(reached, tokens_.size());
}

bool MatchesWildcard(std::string_view name, std::string_view mask) {
    return WildcardMask(mask).Matches(name);
}

}  // namespace w32posix
