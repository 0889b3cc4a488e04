// Real links for tests, on every system the tests run on. Under Wine, Windows' own call for a
// link makes nothing, so the link is made by the Unix side, as a user would have made it;
// Wine shows such a link to a folder as a reparse point, a link to a file as a plain file.
#pragma once

#include <filesystem>

// A link at `link` to the folder or file `target`; false where none can be made.
bool MakeLink(const std::filesystem::path& target, const std::filesystem::path& link);
// Removes the link itself, never its target.
void RemoveLink(const std::filesystem::path& link);
