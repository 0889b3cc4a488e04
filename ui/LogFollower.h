// What the Activity Log window shows of the log file, toolkit-free: the whole text once, then
// only what the writer has added since, read while the window is open.
#pragma once

#include <cstdint>
#include <string>

namespace logview {

class LogFollower {
  public:
    // `path` is the log file; its previous part, renamed to `path` + ".1" when the log grew
    // full, is shown before it.
    explicit LogFollower(std::string path) : m_path(std::move(path)) {}
    const std::string& Path() const { return m_path; }

    // The previous part, then the log up to its last whole line. Following goes on from there.
    // Missing or unreadable files read as empty.
    std::string ReadAll();

    enum class Change {
        kNone,       // nothing new
        kAdded,      // whole lines were added; `added` holds them
        kBegunAnew,  // the log was renamed away and begun again: show ReadAll() instead
    };
    // Looks at the log again: a size compared when nothing was written, and only the new bytes
    // read when something was. A line still being written waits for its line feed.
    Change Poll(std::string& added);

  private:
    std::string m_path;
    std::uint64_t m_shown = 0;  // bytes of the log shown so far, always up to a line feed
    std::string m_head;         // its first bytes, to tell a new log from the one shown
};

}  // namespace logview
