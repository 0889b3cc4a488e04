// The mark that makes a folder Brannock's mirror: a small file at the top of the Sync To
// directory, written when the user switches syncing on, so that it travels with the disk. An
// unattended cycle writes only into a marked folder: an empty mount point whose disk or share
// is not there, or a drive letter that now names another disk, has no mark.
#pragma once

#include <string>

namespace mirror {

// The path of the mark in the Sync To directory `syncTo`.
std::string MarkPath(const std::string& syncTo);

// True when the mark is there.
bool IsMarked(const std::string& syncTo);

// Writes the mark into the existing folder `syncTo`; "" on success, else the system's reason.
std::string WriteMark(const std::string& syncTo);

// The failure recorded when a cycle finds no mirror at `syncTo`.
std::string UnavailableError(const std::string& syncTo);

}  // namespace mirror
