#include "ui/LogFollower.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace logview {
namespace {

// Enough of a log's first line (its time and event word) to tell two logs apart.
constexpr std::uint64_t kHeadBytes = 64;

fs::path PathOf(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::uint64_t SizeOf(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(PathOf(path), ec);
    return ec ? 0 : static_cast<std::uint64_t>(size);
}

// `count` bytes of the file from `offset`, or fewer where the file ends (or cannot be read).
std::string ReadPart(const std::string& path, std::uint64_t offset, std::uint64_t count) {
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in || count == 0)
        return {};
    in.seekg(static_cast<std::streamoff>(offset));
    std::string bytes(static_cast<std::size_t>(count), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(in ? bytes.size()
                    : static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return bytes;
}

// `text` up to and with its last line feed.
std::string WholeLines(std::string text) {
    const std::size_t end = text.rfind('\n');
    text.resize(end == std::string::npos ? 0 : end + 1);
    return text;
}

}  // namespace

std::string LogFollower::ReadAll() {
    const std::string previousPath = m_path + ".1";
    std::string text = ReadPart(previousPath, 0, SizeOf(previousPath));
    if (!text.empty() && text.back() != '\n')
        text += '\n';  // the old part ends where it was cut off, and the log goes on below
    const std::string current = WholeLines(ReadPart(m_path, 0, SizeOf(m_path)));
    m_shown = current.size();
    m_head = current.substr(0, kHeadBytes);
    return text + current;
}

LogFollower::Change LogFollower::Poll(std::string& added) {
    added.clear();
    const std::uint64_t size = SizeOf(m_path);
    if (size == m_shown)
        return Change::kNone;
    if (size < m_shown)
        return Change::kBegunAnew;
    // A log renamed away and begun again may already have grown past what was shown: its
    // first line tells.
    if (!m_head.empty() && ReadPart(m_path, 0, m_head.size()) != m_head)
        return Change::kBegunAnew;
    added = WholeLines(ReadPart(m_path, m_shown, size - m_shown));
    if (m_head.size() < kHeadBytes && m_shown < kHeadBytes)
        m_head += added.substr(0, kHeadBytes - m_shown);
    m_shown += added.size();
    return added.empty() ? Change::kNone : Change::kAdded;
}

}  // namespace logview
