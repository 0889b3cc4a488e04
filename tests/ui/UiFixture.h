// The engine tests' headless window, whose executable lives in the temporary folder: its
// settings file and its help file lie beside the sources and the Sync To directory.
#pragma once

#include "tests/engine/FormFixture.h"

class UiFixture : public FormFixture {
  protected:
    // A settings file as a previous run left it: one fileset holding one file.
    void WriteSettings(bool syncOn) {
        WriteFile(Src("a.txt"), "a");
        WriteFile(form.IniFile, "[Options]\nSyncOn=" + std::string(syncOn ? "Yes" : "No") +
                                    "\nAbout=No\nSyncTo=" + SyncTo() + "\nWakeup=30\n[FileSets]\n" +
                                    "FileSet1=" + Pattern(Src()) + "\nFileSet2=\n");
    }
    std::string Saved(const std::string& key) {
        std::string value;
        ReadIniString("Options", key, "(absent)", value, form.IniFile);
        return value;
    }

    HeadlessForm& ui = form_;
    HeadlessDesktop& desktop = form_.desktop;
};
