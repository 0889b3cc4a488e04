#include "platform/posix/ProfileFile.h"

namespace w32posix {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

std::string_view Unquoted(std::string_view value) {
    bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                  value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

// Appended piece by piece: gcc 12 at -O3 misreads `"[" + std::string(...)` as an overlapping
// copy and warns.
std::string SectionHeader(std::string_view name) {
    std::string header;
    header.reserve(name.size() + 2);
    header.push_back('[');
    header.append(name);
    header.push_back(']');
    return header;
}

}  // namespace

ProfileFile::Line ProfileFile::ParseLine(std::string text) {
    Line line;
    std::string_view trimmed = Trim(text);
    if (trimmed.empty()) {
        line.kind = Kind::Blank;
    } else if (trimmed.front() == ';' || trimmed.front() == '#') {
        line.kind = Kind::Comment;
    } else if (trimmed.front() == '[') {
        line.kind = Kind::Section;
        std::string_view inside = trimmed.substr(1);
        line.name = std::string(Trim(inside.substr(0, inside.find(']'))));
    } else if (auto equals = trimmed.find('='); equals != std::string_view::npos) {
        line.kind = Kind::Key;
        line.name = std::string(Trim(trimmed.substr(0, equals)));
        line.value = std::string(Trim(trimmed.substr(equals + 1)));
    }
    line.text = std::move(text);
    return line;
}

ProfileFile::Line ProfileFile::KeyLine(std::string_view key, std::string_view value) {
    Line line;
    line.kind = Kind::Key;
    line.name = std::string(Trim(key));
    line.value = std::string(Trim(value));
    line.text = line.name + "=" + std::string(value);
    return line;
}

ProfileFile ProfileFile::Parse(std::string_view text) {
    ProfileFile file;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        file.byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    auto firstBreak = text.find('\n');
    if (firstBreak != std::string_view::npos && firstBreak > 0 && text[firstBreak - 1] == '\r') {
        file.lineEnd_ = "\r\n";
    }
    file.endsWithLineEnd_ = text.empty() || text.back() == '\n';
    while (!text.empty()) {
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        file.lines_.push_back(ParseLine(std::string(line)));
    }
    return file;
}

std::string ProfileFile::Serialise() const {
    std::string text;
    if (byteOrderMark_)
        text += kByteOrderMark;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0)
            text += lineEnd_;
        text += lines_[i].text;
    }
    if (!lines_.empty() && endsWithLineEnd_)
        text += lineEnd_;
    return text;
}

std::size_t ProfileFile::FindSection(std::string_view section) const {
    section = Trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && SameName(lines_[i].name, section))
            return i;
    }
    return kNone;
}

std::size_t ProfileFile::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section)
        ++i;
    return i;
}

std::size_t ProfileFile::FindKey(std::size_t header, std::string_view key) const {
    key = Trim(key);
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
        if (lines_[i].kind == Kind::Key && SameName(lines_[i].name, key))
            return i;
    }
    return kNone;
}

std::optional<std::string> ProfileFile::Value(std::string_view section,
                                              std::string_view key) const {
    std::size_t header = FindSection(section);
    if (header == kNone)
        return std::nullopt;
    std::size_t line = FindKey(header, key);
    if (line == kNone)
        return std::nullopt;
    return std::string(Unquoted(lines_[line].value));
}

std::vector<std::string> ProfileFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.kind == Kind::Section)
            names.push_back(line.name);
    }
    return names;
}

std::vector<std::string> ProfileFile::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    std::size_t header = FindSection(section);
    if (header == kNone)
        return names;
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
        if (lines_[i].kind == Kind::Key)
            names.push_back(lines_[i].name);
    }
    return names;
}

void ProfileFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    std::size_t header = FindSection(section);
    if (header == kNone) {
        // A new section is set off from what precedes it by one blank line.
        if (!lines_.empty() && lines_.back().kind != Kind::Blank)
            lines_.push_back(ParseLine(""));
        lines_.push_back(ParseLine(SectionHeader(Trim(section))));
        lines_.push_back(KeyLine(key, value));
        return;
    }
    if (std::size_t line = FindKey(header, key); line != kNone) {
        // The key keeps the spelling it has in the file.
        lines_[line] = KeyLine(lines_[line].name, value);
        return;
    }
    std::size_t after = header;
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
        if (lines_[i].kind == Kind::Key)
            after = i;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1), KeyLine(key, value));
}

void ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
    std::size_t header = FindSection(section);
    if (header == kNone)
        return;
    if (std::size_t line = FindKey(header, key); line != kNone) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
    }
}

void ProfileFile::DeleteSection(std::string_view section) {
    std::size_t header = FindSection(section);
    if (header == kNone)
        return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
}

}  // namespace w32posix
