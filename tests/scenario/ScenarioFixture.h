// A scenario: folders prepared in a temporary root, the program started on them with its
// settings file, ended by a stop signal once its first cycle is over, and the promises a user
// relies on checked after every run.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/scenario/ProgramRun.h"
#include "tests/scenario/TreeSnapshot.h"
#include "tests/support/TempDir.h"

// Writes `content` to `file` (its folders created) with its last write at `seconds` past the
// epoch.
void Put(const std::filesystem::path& file, const std::string& content,
         std::int64_t seconds = 1700000000);
// Copies `source` to `copy` with the same last-write time, as an earlier cycle would have.
void PutCopy(const std::filesystem::path& source, const std::filesystem::path& copy);

struct ScenarioSettings {
    bool syncOn = true;
    bool savedBefore = true;  // false: a first start, which shows the About box
    bool deleteOrphans = false;
    std::filesystem::path syncTo;       // empty: <root>/dest
    std::vector<std::string> filesets;  // entries as the settings file holds them
};

class ScenarioFixture : public ::testing::Test {
  protected:
    ScenarioFixture();

    std::filesystem::path Root() const { return root.path(); }
    // The copy of `source` in the mirror.
    std::filesystem::path Mirror(const std::filesystem::path& source) const;
    // A fileset entry for all files below `folder`.
    static std::string FilesetOf(const std::filesystem::path& folder);
    // The text of the last error recorded, "" when none.
    std::string LastError() const;
    // Settings with Delete on for these filesets, then the marker's, the last one.
    ScenarioSettings WithDelete(std::vector<std::string> filesets) const;
    // The marker's copy: the first cycle has gone through every fileset.
    std::function<bool()> MarkerCopied() const {
        return [this] { return std::filesystem::exists(Mirror(marker)); };
    }

    // One run: starts the program, waits until `ready` holds (if given) and the program is
    // idle, runs `whileIdle` (if given), ends it with SIGTERM and checks the invariants.
    // Returns false, with a failure added, when the program did not end promptly and cleanly.
    bool Run(const ScenarioSettings& settings, std::function<bool()> ready = {},
             ProgramRun::Options options = {});
    // Waits (boundedly) until `done` holds.
    static bool WaitFor(const std::function<bool()>& done, int ms = 30000);

    TempDir root;
    std::filesystem::path prog;
    std::filesystem::path syncTo;
    std::filesystem::path src;     // <root>/src, for the scenario's own filesets
    std::filesystem::path marker;  // the one file of the last fileset

  private:
    void WriteSettings(const ScenarioSettings& settings);
    std::vector<std::filesystem::path> SourceFolders(const ScenarioSettings& settings) const;
    // Everything outside the mirror, each source and the settings file left aside.
    TreeSnapshot Outside() const;
    std::vector<TreeSnapshot> Sources(const std::vector<std::filesystem::path>& folders) const;
    void ExpectUpToDateCopiesIdentical() const;

    TempDir logs;
};
