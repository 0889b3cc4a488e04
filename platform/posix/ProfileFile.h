// The text of an initialisation file, kept line by line so that a change rewrites only the
// lines it concerns: comments, blank lines and lines it does not understand stay as they are,
// and so does the file's line-ending style.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace w32posix {

class ProfileFile {
  public:
    // Accepts LF and CR LF line ends (and a UTF-8 byte-order mark, which is kept).
    static ProfileFile Parse(std::string_view text);
    std::string Serialise() const;

    // The value of `key` in `section`, blanks trimmed and enclosing quotes removed; names
    // match without regard to ASCII case. The first section and the first key of a name win.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;

    // Replaces the value in place, or adds the key after the last key of its section, or adds
    // the section at the end of the file.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    void DeleteKey(std::string_view section, std::string_view key);
    void DeleteSection(std::string_view section);

  private:
    enum class Kind { Other, Blank, Comment, Section, Key };
    struct Line {
        Kind kind = Kind::Other;
        std::string text;
        std::string name;   // section or key name, trimmed
        std::string value;  // a key's value, trimmed
    };
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    static Line ParseLine(std::string text);
    static Line KeyLine(std::string_view key, std::string_view value);
    std::size_t FindSection(std::string_view section) const;
    // The index just past the section that starts at `header`.
    std::size_t SectionEnd(std::size_t header) const;
    std::size_t FindKey(std::size_t header, std::string_view key) const;

    std::vector<Line> lines_;
    std::string lineEnd_ = "\n";
    bool endsWithLineEnd_ = true;
    bool byteOrderMark_ = false;
};

}  // namespace w32posix
