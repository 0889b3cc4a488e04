// One running program per settings file: two copies on one file would run two engines over
// one mirror and show two tray icons. The shells claim the settings file at start-up, before
// anything is read; a second start asks the first to show its window and ends.
#pragma once

#include <cstdint>
#include <string>

namespace single_instance {

// The name the running copy for `settingsPath` is known by to a second start: the same for
// every spelling the system takes for the same file (letter case on Windows), different for
// different files, and short enough for any system's name limits.
std::string KeyFor(const std::string& settingsPath);
// The same identity as a number, for systems that pass a number between programs.
std::uint64_t CodeFor(const std::string& settingsPath);

}  // namespace single_instance
