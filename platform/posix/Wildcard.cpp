#include "platform/posix/Wildcard.h"

#include <algorithm>

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
        tokens_.push_back(Token{op, op == Op::Literal ? form.substr(at, length) : std::string()});
        at += length;
    }
    // "*" and "*.*" (which becomes '<', '"', '*') find every name; walks use little else.
    const bool allStars =
        !tokens_.empty() && std::all_of(tokens_.begin(), tokens_.end(),
                                        [](const Token& t) { return t.op == Op::Star; });
    const bool starDotStar = tokens_.size() == 3 && tokens_[0].op == Op::DosStar &&
                             tokens_[1].op == Op::DosDot && tokens_[2].op == Op::Star;
    matchesAll_ = allStars || starDotStar;
}

bool WildcardMask::Matches(std::string_view name) const {
    if (matchesAll_)
        return true;
    if (name == "." || name == "..")
        return Run(".", true);
    return Run(name, false);
}

// Every token position the name so far can have reached is followed at once, one character at
// a time, so no pattern costs more than its length for each character of the name. A position
// past the last token has matched the whole pattern. With `dotsPlain`, a dot is an ordinary
// character to '<' and '>'.
bool WildcardMask::Run(std::string_view name, bool dotsPlain) const {
    const std::size_t count = tokens_.size();
    const std::size_t lastDot = dotsPlain ? std::string_view::npos : name.rfind('.');
    std::vector<char> reached(count + 1, 0);
    std::vector<char> following(count + 1, 0);

    // The positions reached without taking a character, at `at` in the name.
    auto close = [&](std::vector<char>& states, std::size_t at) {
        const bool atEnd = at == name.size();
        const bool atDot = !atEnd && name[at] == '.';
        for (std::size_t i = 0; i < count; ++i) {
            if (!states[i])
                continue;
            switch (tokens_[i].op) {
                case Op::Star:
                case Op::DosStar:
                    states[i + 1] = 1;
                    break;
                case Op::DosQm:
                    if (dotsPlain || atEnd || atDot)
                        states[i + 1] = 1;
                    break;
                case Op::DosDot:
                    if (atEnd)
                        states[i + 1] = 1;
                    break;
                case Op::Literal:
                    break;
            }
        }
    };

    reached[0] = 1;
    close(reached, 0);
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = CharLength(name, at);
        const std::string_view c = name.substr(at, length);
        const bool isDot = c == ".";
        std::fill(following.begin(), following.end(), 0);
        bool any = false;
        for (std::size_t i = 0; i < count; ++i) {
            if (!reached[i])
                continue;
            std::size_t to = count + 1;  // none
            switch (tokens_[i].op) {
                case Op::Star:
                    to = i;
                    break;
                case Op::DosStar:
                    // The last dot ends the star's run: taken with it, or left to what follows.
                    to = at == lastDot ? i + 1 : i;
                    break;
                case Op::DosQm:
                    if (dotsPlain || !isDot)
                        to = i + 1;
                    break;
                case Op::DosDot:
                    if (isDot)
                        to = i + 1;
                    break;
                case Op::Literal:
                    if (SameCharacter(c, tokens_[i].text))
                        to = i + 1;
                    break;
            }
            if (to <= count) {
                following[to] = 1;
                any = true;
            }
        }
        if (!any)
            return false;
        at += length;
        close(following, at);
        reached.swap(following);
    }
    return reached[count] != 0;
}

bool MatchesWildcard(std::string_view name, std::string_view mask) {
    return WildcardMask(mask).Matches(name);
}

}  // namespace w32posix
