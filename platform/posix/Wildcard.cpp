#include "platform/posix/Wildcard.h"

namespace w32posix {
namespace {

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Plain '*' and '?' matching; a star remembers where it stood so a failed match can let it
// swallow one more character and try again.
bool Glob(std::string_view name, std::string_view mask) {
    std::size_t n = 0, m = 0;
    std::size_t starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || FoldCase(mask[m]) == FoldCase(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

bool IsDotName(std::string_view name) {
    return name == "." || name == "..";
}

}  // namespace

bool HasWildcards(std::string_view mask) {
    return mask.find_first_of("*?") != std::string_view::npos;
}

bool MatchesWildcard(std::string_view name, std::string_view mask) {
    if (mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*") {
        // "x.*" is "x" with any extension or none.
        std::string_view stem = mask.substr(0, mask.size() - 2);
        return Glob(name, mask) || (name.find('.') == std::string_view::npos && Glob(name, stem));
    }
    if (!mask.empty() && mask.back() == '.' && HasWildcards(mask)) {
        // "x." is "x" with no extension; the folder entries "." and ".." count as such.
        std::string_view stem = mask;
        while (!stem.empty() && stem.back() == '.')
            stem.remove_suffix(1);
        bool noExtension = IsDotName(name) || name.find('.') == std::string_view::npos;
        return noExtension && Glob(name, stem);
    }
    return Glob(name, mask);
}

}  // namespace w32posix
