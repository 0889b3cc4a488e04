// A headless main window whose executable lives in a temporary folder, so its settings file,
// its help file, its sources and its Sync To directory are all in that folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "tests/support/TempDir.h"
#include "ui/headless/HeadlessForm.h"

namespace fs = std::filesystem;

class UiWorld {
  public:
    UiWorld() : ui(tmp.str("brannock")) { fs::create_directories(tmp.path() / "mirror"); }

    std::string Ini() const { return tmp.str("brannock.ini"); }
    std::string SyncTo() const { return tmp.str("mirror"); }
    fs::path Src() const { return tmp.path() / "src"; }
    std::string Fileset() const {
        return Narrow(Src()) + std::string(kSepText) + std::string(kAllFiles);
    }
    // A settings file as a previous run left it: one fileset holding one file.
    void WriteSettings(bool syncOn) {
        WriteFile(Src() / "a.txt", "a");
        WriteFile(tmp.path() / "brannock.ini",
                  "[Options]\nSyncOn=" + std::string(syncOn ? "Yes" : "No") +
                      "\nAbout=No\nSyncTo=" + SyncTo() +
                      "\nWakeup=30\n[FileSets]\nFileSet1=" + Fileset() + "\nFileSet2=\n");
    }
    std::string Saved(const std::string& key, const std::string& section = "Options") {
        std::string value;
        ReadIniString(section, key, "(absent)", value, Ini());
        return value;
    }
    // The controls in the state a user leaves them: one fileset, a destination, an interval.
    void FillControls() {
        form.IniFile = Ini();
        WriteFile(Src() / "a.txt", "a");
        ui.lstSyncFrom.items = {Fileset()};
        ui.txtSyncTo.text = SyncTo();
        ui.txtWakeup.text = "30";
    }

    TempDir tmp;
    HeadlessForm ui;
    frmMain& form = ui.form;
    HeadlessDesktop& desktop = ui.desktop;
};

class UiFixture : public ::testing::Test, public UiWorld {};
