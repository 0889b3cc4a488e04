#include "ui/TextWrap.h"

#include <algorithm>
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

// A path among the words of a text, and how much of it is kept: its first characters up to
// where its root ends, then "...", then its last characters.
class PathWord {
  public:
    PathWord(std::size_t start, std::string_view word) : m_start(start), m_word(word) {
        for (std::size_t i = 0; i < word.size(); ++i)
            if (StartsChar(word[i]))
                m_chars.push_back(i);
        m_rootChars = CharCount(word.substr(0, RootLength(word)));
        const std::size_t last = word.find_last_of("/\\", word.size() - 2);
        m_tailChars = CharCount(word.substr(last));
        m_kept = m_chars.size();
    }
    // A word with a separator beyond its root and before its last character.
    static bool IsPath(std::string_view word) {
        const std::size_t root = RootLength(word);
        return word.size() > 1 && root < word.size() &&
               word.find_first_of("/\\", root) < word.size() - 1;
    }

    std::size_t Start() const { return m_start; }
    std::size_t Size() const { return m_word.size(); }
    bool CanShrink() const { return m_kept > MinKept(); }
    std::size_t ShownChars() const {
        return m_kept == m_chars.size() ? m_kept : m_kept + kEllipsis.size();
    }
    // One character less; the first step replaces enough for "..." to save one.
    void Shrink() {
        const bool whole = m_kept == m_chars.size();
        m_kept = whole && m_kept > MinKept() + kEllipsis.size() ? m_kept - kEllipsis.size() - 1
                                                                : m_kept - 1;
    }
    std::string Shown() const {
        if (m_kept == m_chars.size())
            return std::string(m_word);
        const std::size_t tail = std::min(m_tailChars, m_kept - std::min(m_kept, m_rootChars));
        const std::size_t head = m_kept - tail;
        return std::string(m_word.substr(0, m_chars[head])) + std::string(kEllipsis) +
               std::string(m_word.substr(m_chars[m_chars.size() - tail]));
    }

  private:
    static constexpr std::string_view kEllipsis = "...";
    static constexpr std::size_t kMinTail = 8;
    std::size_t MinKept() const { return m_rootChars + std::min(m_tailChars, kMinTail); }

    std::size_t m_start;
    std::string_view m_word;
    std::vector<std::size_t> m_chars;  // where each character starts
    std::size_t m_rootChars = 0;
    std::size_t m_tailChars = 0;  // the last part with the separator before it
    std::size_t m_kept = 0;
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

std::string Shorten(std::string_view text, const Fits& fits) {
    if (fits(text))
        return std::string(text);
    std::vector<PathWord> paths;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find_first_of(" \n", start), text.size());
        if (end > start && PathWord::IsPath(text.substr(start, end - start)))
            paths.emplace_back(start, text.substr(start, end - start));
        start = end + 1;
    }
    const auto shown = [&] {
        std::string out;
        std::size_t at = 0;
        for (const PathWord& path : paths) {
            out.append(text.substr(at, path.Start() - at));
            out += path.Shown();
            at = path.Start() + path.Size();
        }
        out.append(text.substr(std::min(at, text.size())));
        return out;
    };
    for (;;) {
        PathWord* longest = nullptr;
        for (PathWord& path : paths)
            if (path.CanShrink() && (!longest || path.ShownChars() > longest->ShownChars()))
                longest = &path;
        if (!longest)
            break;
        longest->Shrink();
        std::string out = shown();
        if (fits(out))
            return out;
    }
    // The paths are as short as they go: the end is cut, character by character.
    std::string out = shown();
    for (std::size_t end = out.size(); end-- > 0;) {
        if (!StartsChar(out[end]))
            continue;
        std::string cut = out.substr(0, end) + "...";
        if (fits(cut))
            return cut;
    }
    return "...";
}

}  // namespace textwrap
