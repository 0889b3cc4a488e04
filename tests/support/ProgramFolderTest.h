// What the shells' tests share: a program folder, a source and a destination in a temporary
// folder, the settings file beside the program and a clock the test sets.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/MirrorMark.h"
#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "tests/support/TempDir.h"
#include "ui/headless/HeadlessDesktop.h"

class ProgramFolderTest : public ::testing::Test {
  protected:
    std::filesystem::path IniPath() const { return dir.path() / "prog" / "brannock.ini"; }
    // Makes the folders, the destination marked as a switch-on from the window leaves it;
    // `ini` is the settings file's content, empty for no settings file.
    void MakeFolders(const std::string& ini) {
        for (const char* sub : {"prog", "src", "dest"})
            std::filesystem::create_directories(dir.path() / sub);
        mirror::WriteMark(dir.str("dest"));
        if (!ini.empty())
            WriteFile(IniPath(), ini);
    }
    std::string IniValue(const std::string& section, const std::string& key) const {
        std::string value;
        ReadIniString(section, key, "", value, Narrow(IniPath()));
        return value;
    }
    // A settings file saved before (so no About box) with syncing `on`, the given filesets,
    // Sync To the destination and a 30-minute interval.
    std::string SavedIni(bool on, const std::vector<std::string>& filesets = {}) const {
        std::string ini = "[Options]\nSyncOn=" + std::string(on ? "Yes" : "No") +
                          "\nAbout=No\nSyncTo=" + dir.str("dest") + "\nWakeup=30\n[FileSets]\n";
        for (std::size_t i = 0; i < filesets.size(); ++i)
            ini += "FileSet" + std::to_string(i + 1) + "=" + filesets[i] + "\n";
        return ini;
    }
    // A fileset entry for the folder `sub` below the temporary folder.
    std::string Fileset(const std::string& sub) const {
        return dir.str(sub) + std::string(kSepText) + std::string(kAllFiles);
    }

    TempDir dir;
    ManualClock clock{runtime::MakeDate({2026, 1, 5, 9, 0, 0})};
};
