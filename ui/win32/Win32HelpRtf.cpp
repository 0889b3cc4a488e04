#include "ui/win32/Win32HelpRtf.h"

#include <cstdint>
#include <vector>

namespace brannock_win32 {
namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// The next code point of UTF-8 text; a broken sequence reads as U+FFFD.
std::uint32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80)
        return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0)
        return 0xFFFD;
    std::uint32_t cp = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

void AppendUnit(std::string& out, std::uint32_t unit) {
    // RTF's \u takes a signed 16-bit number, followed by the character shown by readers
    // that do not know it.
    out += "\\u" + std::to_string(static_cast<std::int16_t>(unit)) + "?";
}

// Plain text, escaped for RTF.
void AppendText(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::uint32_t cp = NextCodePoint(text, i);
        if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x10000) {
            AppendUnit(out, cp);
        } else {
            AppendUnit(out, 0xD800 + ((cp - 0x10000) >> 10));
            AppendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Where the single '*' at `at` closes an emphasis opened there: the next '*' that is not part of
// a "**" and follows a character that is not blank; npos when the '*' opens none (it is
// followed by a blank, as in "a * b").
std::size_t EmphasisEnd(std::string_view text, std::size_t at) {
    if (at + 1 >= text.size() || IsBlank(text[at + 1]) || text[at + 1] == '*')
        return std::string_view::npos;
    for (std::size_t end = text.find('*', at + 2); end != std::string_view::npos;
         end = text.find('*', end + 1)) {
        if (end + 1 < text.size() && text[end + 1] == '*') {
            ++end;
            continue;
        }
        if (!IsBlank(text[end - 1]))
            return end;
    }
    return std::string_view::npos;
}

// Text with its inline marks: **bold**, *emphasis*, `code` and [links](target), shown by their
// text.
void AppendInline(std::string& out, std::string_view text) {
    bool bold = false;
    for (std::size_t i = 0; i < text.size();) {
        if (StartsWith(text.substr(i), "**")) {
            out += bold ? "\\b0 " : "\\b ";
            bold = !bold;
            i += 2;
        } else if (text[i] == '*') {
            const std::size_t end = EmphasisEnd(text, i);
            if (end == std::string_view::npos) {
                AppendText(out, "*");
                ++i;
                continue;
            }
            out += "{\\i ";
            AppendInline(out, text.substr(i + 1, end - i - 1));
            out += "}";
            i = end + 1;
        } else if (text[i] == '`') {
            const std::size_t end = text.find('`', i + 1);
            if (end == std::string_view::npos) {
                AppendText(out, text.substr(i));
                break;
            }
            out += "{\\f1 ";
            AppendText(out, text.substr(i + 1, end - i - 1));
            out += "}";
            i = end + 1;
        } else if (text[i] == '[') {
            const std::size_t close = text.find("](", i);
            const std::size_t end = close == std::string_view::npos ? close : text.find(')', close);
            if (end == std::string_view::npos) {
                AppendText(out, text.substr(i, 1));
                ++i;
                continue;
            }
            AppendInline(out, text.substr(i + 1, close - i - 1));
            i = end + 1;
        } else {
            const std::size_t next = text.find_first_of("*`[", i + 1);
            const std::size_t stop = next == std::string_view::npos ? text.size() : next;
            AppendText(out, text.substr(i, stop - i));
            i = stop;
        }
    }
    if (bold)
        out += "\\b0 ";
}

std::vector<std::string_view> Cells(std::string_view row) {
    row = Trimmed(row);
    if (StartsWith(row, "|"))
        row.remove_prefix(1);
    if (!row.empty() && row.back() == '|')
        row.remove_suffix(1);
    std::vector<std::string_view> cells;
    for (std::size_t start = 0;;) {
        const std::size_t bar = row.find('|', start);
        cells.push_back(Trimmed(row.substr(start, bar - start)));
        if (bar == std::string_view::npos)
            return cells;
        start = bar + 1;
    }
}

bool IsRuleRow(std::string_view row) {
    return Trimmed(row).find_first_not_of("|-: ") == std::string_view::npos;
}

// A list item's marker ("- ", "* ", "12. ") and its length; 0 when the line starts none.
std::size_t ListMarker(std::string_view line) {
    if (StartsWith(line, "- ") || StartsWith(line, "* "))
        return 2;
    std::size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9')
        ++digits;
    return digits > 0 && StartsWith(line.substr(digits), ". ") ? digits + 2 : 0;
}

class Writer {
  public:
    explicit Writer(const RtfLook& look) : m_look(look) {
        m_out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss ";
        AppendFace(look.face);
        m_out += ";}{\\f1\\fmodern Consolas;}}\\viewkind4\\uc1\\fs" +
                 std::to_string(HalfPoints(100)) + " ";
    }

    void Line(std::string_view raw) {
        const std::string_view line = Trimmed(raw);
        // An indented block after a blank line (or a heading) is text to type as it stands:
        // kept line by line, blank lines within it too.
        if (const std::size_t indent = CodeIndent(raw);
            indent > 0 && (!m_code.empty() || (m_text.empty() && !m_table))) {
            m_code.insert(m_code.end(), m_codeBlanks, std::string());
            m_codeBlanks = 0;
            std::string_view kept = raw.substr(indent);
            if (!kept.empty() && kept.back() == '\r')
                kept.remove_suffix(1);
            m_code.emplace_back(kept);
            return;
        }
        if (line.empty()) {
            if (!m_code.empty())
                ++m_codeBlanks;
            else
                Flush();
            return;
        }
        FlushCode();
        if (StartsWith(line, "|")) {
            if (!m_table)
                Flush();
            m_table = true;
            if (!IsRuleRow(line))
                m_rows.push_back(Cells(line));
            return;
        }
        if (m_table)
            Flush();
        std::size_t level = 0;
        while (level < line.size() && line[level] == '#')
            ++level;
        if (level > 0 && level < line.size() && line[level] == ' ') {
            Flush();
            Heading(static_cast<int>(level), Trimmed(line.substr(level)));
            return;
        }
        const std::size_t marker = ListMarker(line);
        // Any other line carries the paragraph or list item above it on.
        if (marker > 0) {
            Flush();
            m_listItem = true;
            m_bullet = std::string(line.substr(0, marker - 1));
            m_text = line.substr(marker);
            return;
        }
        if (!m_text.empty())
            m_text += ' ';
        m_text += line;
    }

    std::string Finish() {
        FlushCode();
        Flush();
        return m_out + "}";
    }

  private:
    // The indentation that makes a line part of a code block (four spaces or a tab), or 0.
    static std::size_t CodeIndent(std::string_view raw) {
        if (Trimmed(raw).empty())
            return 0;
        return StartsWith(raw, "\t") ? 1 : StartsWith(raw, "    ") ? 4 : 0;
    }

    // The block's lines in the fixed-width font, indented, each a paragraph of its own.
    void FlushCode() {
        if (m_code.empty())
            return;
        Flush();
        for (std::size_t i = 0; i < m_code.size(); ++i) {
            m_out +=
                i + 1 < m_code.size() ? "\\pard\\li360\\sa0 {\\f1 " : "\\pard\\li360\\sa120 {\\f1 ";
            AppendText(m_out, m_code[i]);
            m_out += "}\\par\n";
        }
        m_code.clear();
        m_codeBlanks = 0;
        m_afterList = false;
    }

    void AppendFace(const std::wstring& face) {
        for (wchar_t c : face) {
            if (c < 0x80 && c != '\\' && c != '{' && c != '}' && c != ';')
                m_out += static_cast<char>(c);
        }
    }
    int HalfPoints(int percent) const { return m_look.points * 2 * percent / 100; }

    void Heading(int level, std::string_view text) {
        const int percent = level == 1 ? 170 : level == 2 ? 135 : 115;
        m_out += "\\pard\\sb" + std::to_string(level == 1 ? 0 : 240) + "\\sa120\\b\\fs" +
                 std::to_string(HalfPoints(percent)) + " ";
        AppendInline(m_out, text);
        m_out += "\\b0\\fs" + std::to_string(HalfPoints(100)) + "\\par\n";
    }

    void Flush() {
        if (m_table) {
            Table();
            m_afterList = false;
        } else if (m_listItem) {
            const bool bullet = m_bullet == "-" || m_bullet == "*";
            m_out += "\\pard\\sa60\\fi-300\\li500\\tx500 ";
            if (bullet)
                AppendUnit(m_out, 0x2022);
            else
                AppendText(m_out, m_bullet);
            m_out += "\\tab ";
            AppendInline(m_out, m_text);
            m_out += "\\par\n";
            m_afterList = true;
        } else if (!m_text.empty()) {
            // A list's items lie close together; the text after it stands apart.
            m_out += m_afterList ? "\\pard\\sb120\\sa120 " : "\\pard\\sa120 ";
            AppendInline(m_out, m_text);
            m_out += "\\par\n";
            m_afterList = false;
        }
        m_text.clear();
        m_listItem = false;
        m_table = false;
        m_rows.clear();
    }

    // Columns of equal width across the page; the header row in bold.
    void Table() {
        std::size_t columns = 0;
        for (const auto& row : m_rows)
            columns = std::max(columns, row.size());
        if (columns == 0)
            return;
        std::string definition = "\\trowd\\trgaph80\\trleft0";
        for (std::size_t c = 1; c <= columns; ++c)
            definition += "\\cellx" + std::to_string(m_look.widthTwips * static_cast<int>(c) /
                                                     static_cast<int>(columns));
        for (std::size_t r = 0; r < m_rows.size(); ++r) {
            m_out += definition + "\n";
            for (std::size_t c = 0; c < columns; ++c) {
                m_out += "\\pard\\intbl ";
                if (r == 0)
                    m_out += "\\b ";
                if (c < m_rows[r].size())
                    AppendInline(m_out, m_rows[r][c]);
                m_out += r == 0 ? "\\b0\\cell " : "\\cell ";
            }
            m_out += "\\row\n";
        }
        m_out += "\\pard\\sa120\\par\n";
    }

    const RtfLook& m_look;
    std::string m_out;
    std::string m_text;
    std::string m_bullet;
    bool m_listItem = false;
    bool m_afterList = false;
    bool m_table = false;
    std::vector<std::vector<std::string_view>> m_rows;
    std::vector<std::string> m_code;
    std::size_t m_codeBlanks = 0;  // blank lines seen after the block's last line
};

}  // namespace

std::string MarkdownToRtf(std::string_view markdown, const RtfLook& look) {
    Writer writer(look);
    for (std::size_t start = 0; start <= markdown.size();) {
        std::size_t end = markdown.find('\n', start);
        if (end == std::string_view::npos)
            end = markdown.size();
        writer.Line(markdown.substr(start, end - start));
        start = end + 1;
    }
    return writer.Finish();
}

}  // namespace brannock_win32
