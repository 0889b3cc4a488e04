// A scenario: folders prepared in a temporary root, the program started on them with its
// settings file, ended by a stop signal once its first cycle is over, and the promises a user
// relies on checked after every run.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fileio/modWin32.h"
#include "tests/support/TempDir.h"

// An entry as it stands, a link taken as the link; kind '?' when there is none.
struct TreeEntry {
    char kind = '?';      // 'f' file, 'd' folder, 'l' link, '?' anything else
    std::string content;  // a file's bytes, a link's target
    std::int64_t mtimeNs = 0;
    ino_t inode = 0;
    std::int64_t ctimeNs = 0;  // changes with any rewrite, even one that restores the times
    bool operator==(const TreeEntry&) const = default;
};
TreeEntry Entry(const std::filesystem::path& path);

// Each of `names` below `copies` has the content and last-write time of its namesake below
// `originals`.
void ExpectSameFiles(const std::filesystem::path& copies, const std::filesystem::path& originals,
                     const std::vector<std::string>& names);

// Writes `content` to `file` (its folders created) with its last write at `seconds` past the
// epoch.
void Put(const std::filesystem::path& file, const std::string& content,
         std::int64_t seconds = 1700000000);

// Always switched on, with Delete on.
struct ScenarioSettings {
    bool savedBefore = true;  // false: a first start, which shows the About box
    // No right to raise the priority: the start-up's message box comes before the settings
    // are loaded, and no cycle runs.
    bool priorityRefused = false;
    std::vector<std::filesystem::path> folders;  // one fileset of all files below each
    // The mirror's disk is not there: the run waits for the cycle's recorded failure instead of
    // the copies.
    bool mirrorAway = false;
    // Where the mirror's disk is mounted besides the Sync To directory: its changes are the
    // mirror's.
    std::filesystem::path disk{};
};

class ScenarioFixture : public ::testing::Test {
  protected:
    // Plants a small tree in `src` and the marker.
    ScenarioFixture();

    // Marks the Sync To directory as the mirror, as switching syncing on from the window does.
    void MarkMirror() const { Put(syncTo / ".brannock-mirror", "Brannock mirror\n"); }
    // The copy of `source` in the mirror.
    std::filesystem::path Mirror(const std::filesystem::path& source) const {
        return syncTo / source.relative_path();
    }
    // The text of the last error recorded, "" when none.
    std::string LastError() const {
        return ReadIniText("Error", "LastErrorMsg", (prog / "brannock.ini").native());
    }
    // Settings for `folder`, then the marker's folder, the last: once the marker is copied,
    // the first cycle has gone through every fileset.
    ScenarioSettings Mirroring(const std::filesystem::path& folder) const {
        return {.folders = {folder, marker.parent_path()}};
    }

    // One run: starts the program, waits until its first cycle is over (if it runs one) and
    // the program is idle, ends it with SIGTERM and checks that nothing outside the mirror
    // changed (the sources outside it included). Returns false, with a failure added, when the
    // program did not end promptly and cleanly.
    bool Run(const ScenarioSettings& settings);
    // Another run finds everything up to date: it must leave the mirror as it is.
    void ExpectSecondRunChangesNothing(const ScenarioSettings& settings);

    // The settings file `<folder>/brannock.ini` as `s` give it, the folder made if need be.
    void WriteSettingsIn(const std::filesystem::path& folder, const ScenarioSettings& s) const;
    // The program started in `folder` without waiting, its output going to
    // `<root>/<outputName>`. Each must be ended with EndsBy or Reaped.
    pid_t Launch(const std::filesystem::path& folder, const std::string& outputName,
                 bool priorityRefused = false);
    static bool BecomesIdle(pid_t pid);
    static bool HasEnded(pid_t pid);
    // Sends `signal` and waits: true when the program ended promptly by itself with code 0.
    static bool EndsBy(pid_t pid, int signal);
    // Waits up to `ms` milliseconds for the program to end by itself: its exit code, or -1
    // when it had to be killed.
    static int Reaped(pid_t pid, int ms);

    TempDir root;
    std::filesystem::path prog;
    std::filesystem::path syncTo;  // <root>/dest
    std::filesystem::path src;     // <root>/src: a.txt, sub/b.txt, sub/deeper/c.bin
    std::filesystem::path marker;  // the one file of the last fileset
};
