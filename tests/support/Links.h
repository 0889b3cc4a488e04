// Real links for tests. Wine 8 makes none: its CreateSymbolicLink reports success and makes
// nothing, so under Wine no link is made and the tests that need one are skipped. (A link made
// on the Unix side shows under Wine as a reparse point when it leads to a folder, as a plain
// file when it leads to a file.)
#pragma once

#include <filesystem>

// A link at `link` to the folder or file `target`; false where none can be made.
bool MakeLink(const std::filesystem::path& target, const std::filesystem::path& link);
