#include "ui/TextWrap.h"

#include <vector>

namespace textwrap {
namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// A byte that starts a character rather than continuing one.
bool StartsChar(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

std::size_t CharCount(std::string_view text) {
    std::size_t n = 0;
    for (char c : text)
        n += StartsChar(c) ? 1 : 0;
    return n;
}

// The length of the word's root, which a break must not follow alone: leading quotes and
// brackets, a drive ("C:") and the separators after them.
std::size_t RootLength(std::string_view word) {
    std::size_t i = word.find_first_not_of("\"'([{<");
    if (i == std::string_view::npos)
        return word.size();
    if (i + 1 < word.size() && word[i + 1] == ':')
        i += 2;
    while (i < word.size() && IsSeparator(word[i]))
        ++i;
    return i;
}

// The length of the longest head of `word` that fits as a line of its own: one ending after a
// separator beyond the root if there is one, else as many whole characters as fit (at least
// one, so that the wrap always moves on).
std::size_t HeadLength(std::string_view word, const Fits& fits) {
    const std::size_t root = RootLength(word);
    std::size_t best = 0;
    for (std::size_t i = root; i + 1 < word.size(); ++i) {
        if (!IsSeparator(word[i]))
            continue;
        if (!fits(word.substr(0, i + 1)))
            break;
        best = i + 1;
    }
    if (best > 0)
        return best;
    std::size_t cut = 0;
    for (std::size_t i = 1; i <= word.size(); ++i) {
        if (i < word.size() && !StartsChar(word[i]))
            continue;
        if (cut > 0 && !fits(word.substr(0, i)))
            break;
        cut = i;
    }
    return cut;
}

std::vector<std::string_view> Split(std::string_view text, char at) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(at, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

class Lines {
  public:
    explicit Lines(const Fits& fits) : fits_(fits) {}

    void AddWord(std::string_view word) {
        const std::string joined = line_.empty() ? std::string(word) : line_ + " " += word;
        if (fits_(joined)) {
            line_ = joined;
            return;
        }
        if (!line_.empty())
            EndLine();
        while (!fits_(word)) {
            const std::size_t head = HeadLength(word, fits_);
            if (head == word.size())
                break;  // one character wider than the line: it stands alone all the same
            line_ = word.substr(0, head);
            EndLine();
            word.remove_prefix(head);
        }
        line_ = word;
    }

    void EndLine() {
        if (!out_.empty())
            out_ += '\n';
        out_ += line_;
        line_.clear();
    }

    std::string Take() { return std::move(out_); }

  private:
    const Fits& fits_;
    std::string line_;
    std::string out_;
};

}  // namespace

std::string Wrap(std::string_view text, const Fits& fits) {
    std::string out;
    bool first = true;
    for (std::string_view paragraph : Split(text, '\n')) {
        Lines lines(fits);
        for (std::string_view word : Split(paragraph, ' '))
            lines.AddWord(word);
        lines.EndLine();
        if (!first)
            out += '\n';
        out += lines.Take();
        first = false;
    }
    return out;
}

Fits AtMostChars(std::size_t maxChars) {
    return [maxChars](std::string_view line) { return CharCount(line) <= maxChars; };
}

std::string Cut(std::string_view text, std::size_t maxChars) {
    if (CharCount(text) <= maxChars)
        return std::string(text);
    constexpr std::string_view kEllipsis = "...";
    const std::size_t keep = maxChars > kEllipsis.size() ? maxChars - kEllipsis.size() : 0;
    std::size_t chars = 0, end = 0;
    while (end < text.size()) {
        if (StartsChar(text[end]) && chars++ == keep)
            break;
        ++end;
    }
    return std::string(text.substr(0, end)) + std::string(kEllipsis.substr(0, maxChars - keep));
}

}  // namespace textwrap
