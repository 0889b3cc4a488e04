// Putting a settings file's new text in place so that it is never left half-written where
// that can be helped.
#pragma once

#include <sys/stat.h>

#include <string>

namespace w32posix {

// Replaces the text of the settings file `path` (a link to it is followed) with `text`.
// `original` is the file's status, or nullptr when it does not exist yet. Returns false with
// the last error set.
bool SaveProfileText(const std::string& path, const std::string& text, const struct stat* original);

}  // namespace w32posix
