// The activity log: a plain UTF-8 text file beside the settings file where every event of the
// program is one line, "2026-12-07 11:02:33 copied <details>". It is there for the user to see
// what happened; writing it never fails the work it describes.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "runtime/DateValue.h"

namespace activity {

// Past this size the log is renamed to ".log.1" (replacing an older one) and a new one begun,
// so the two together stay near twice this size.
inline constexpr std::int64_t kRotateBytes = std::int64_t{1} << 20;

// "2026-12-07 11:02:33": the local date and time to the second.
std::string StampText(runtime::DateValue when);

// A text that is one line whatever it holds: control characters and bytes that are not UTF-8
// are written as visible escapes ("<LF>", "<CR>", "<TAB>", "<x1F>"), everything else as is.
std::string OneLine(const std::string& text);

// The line for one event: the stamp, the event word and its details, made one line.
std::string EventLine(runtime::DateValue when, const std::string& word, const std::string& details);

class ActivityLog {
  public:
    // Where the log goes; nothing is opened until the first line. "" keeps the log off.
    void SetPath(const std::string& path);
    const std::string& Path() const { return path_; }

    // Appends one line (a line feed is added) and hands it to the system at once, so a crash
    // loses at most the line being written. A failure to open or write stops the log until
    // Retry: one failure, not one per line.
    void Write(const std::string& line);

    // Lets the log try again after a failure (at the start of each cycle).
    void Retry() { failed_ = false; }
    bool Failed() const { return failed_; }

  private:
    bool OpenForAppend();
    bool EndsWithLineFeed() const;
    void RotateIfFull(std::size_t adding);

    std::string path_;
    std::ofstream out_;
    std::int64_t size_ = 0;
    bool failed_ = false;
};

}  // namespace activity
