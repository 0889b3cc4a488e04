#include "activity/ActivityLog.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace activity {
namespace {

// The program's texts are UTF-8; a path made from them must be read as UTF-8 on every system.
fs::path PathOf(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string TwoDigits(int n) {
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

// The length of the UTF-8 sequence that starts at `i`, or 0 where the bytes are not one.
std::size_t Utf8Length(const std::string& s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    std::size_t n = 0;
    std::uint32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    std::uint32_t code = lead & (0x7Fu >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and code points past Unicode's end are not text.
    if (code < min || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return n;
}

std::string Escape(unsigned char c) {
    switch (c) {
        case '\n':
            return "<LF>";
        case '\r':
            return "<CR>";
        case '\t':
            return "<TAB>";
        default: {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<x%02X>", c);
            return hex;
        }
    }
}

}  // namespace

std::string StampText(runtime::DateValue when) {
    const runtime::CivilDateTime t = runtime::SplitDate(when);
    return std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day) + " " +
           TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}

std::string OneLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
            ++i;
        } else if (const std::size_t n = c >= 0x80 ? Utf8Length(text, i) : 0; n > 0) {
            out.append(text, i, n);
            i += n;
        } else {
            out += Escape(c);
            ++i;
        }
    }
    return out;
}

std::string EventLine(runtime::DateValue when, const std::string& word,
                      const std::string& details) {
    std::string line = StampText(when) + " " + word;
    if (!details.empty())
        line += " " + OneLine(details);
    return line;
}

void ActivityLog::SetPath(const std::string& path) {
    if (out_.is_open())
        out_.close();
    path_ = path;
    failed_ = false;
}

bool ActivityLog::OpenForAppend() {
    if (out_.is_open())
        return true;
    out_.open(PathOf(path_), std::ios::binary | std::ios::app);
    if (!out_.is_open())
        return false;
    std::error_code ec;
    const auto size = fs::file_size(PathOf(path_), ec);
    size_ = ec ? 0 : static_cast<std::int64_t>(size);
    // A line cut short (the program was killed while writing it) ends where it stopped, so
    // the next event still starts a line of its own.
    if (size_ > 0 && !EndsWithLineFeed()) {
        out_ << '\n';
        ++size_;
    }
    return true;
}

bool ActivityLog::EndsWithLineFeed() const {
    std::ifstream in(PathOf(path_), std::ios::binary);
    char last = '\n';
    if (in.seekg(-1, std::ios::end))
        in.get(last);
    return last == '\n';
}

void ActivityLog::RotateIfFull(std::size_t adding) {
    if (size_ == 0 || size_ + static_cast<std::int64_t>(adding) <= kRotateBytes)
        return;
    out_.close();
    const fs::path older = PathOf(path_ + ".1");
    std::error_code ec;
    fs::rename(PathOf(path_), older, ec);
    if (ec) {
        // Some systems rename only onto a free name, or not a file another program has open:
        // then the older log is a copy.
        std::error_code ignored;
        fs::remove(older, ignored);
        ec.clear();
        fs::rename(PathOf(path_), older, ec);
        if (ec)
            fs::copy_file(PathOf(path_), older, fs::copy_options::overwrite_existing, ignored);
    }
    // A log that could not be renamed is begun again in place rather than left to grow.
    out_.open(PathOf(path_), std::ios::binary | (ec ? std::ios::trunc : std::ios::app));
    size_ = 0;
}

void ActivityLog::Write(const std::string& line) {
    if (path_.empty() || failed_)
        return;
    if (!OpenForAppend()) {
        failed_ = true;
        return;
    }
    RotateIfFull(line.size() + 1);
    if (out_.is_open()) {
        out_ << line << '\n';
        out_.flush();
    }
    if (!out_.is_open() || !out_) {
        out_.close();
        out_.clear();
        failed_ = true;
        return;
    }
    size_ += static_cast<std::int64_t>(line.size() + 1);
}

}  // namespace activity
