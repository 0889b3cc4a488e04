// A headless main window over real folders: sources, a Sync To directory and a settings file,
// all in one temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/PathMapping.h"
#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "tests/support/TempDir.h"
#include "ui/headless/HeadlessForm.h"

namespace fs = std::filesystem;

class FormFixture : public ::testing::Test {
  protected:
    FormFixture() : form_(tmp.str("brannock")) {
        form.IniFile = tmp.str("brannock.ini");
        form.SyncOn = true;
        fs::create_directories(tmp.path() / "mirror");
        form_.txtSyncTo.text = SyncTo();
    }
    std::string SyncTo() const { return tmp.str("mirror"); }
    fs::path Dest(const std::string& sub) const {
        return (fs::path(SyncTo()) / sub).make_preferred();
    }
    fs::path Src(const std::string& sub = {}) const {
        return sub.empty() ? tmp.path() / "src" : (tmp.path() / "src" / sub).make_preferred();
    }
    static std::string Pattern(const fs::path& folder) {
        return Narrow(folder) + std::string(kSepText) + std::string(kAllFiles);
    }
    // Where the copy pass puts the copy of a source file or folder.
    fs::path Mirror(const fs::path& source) const {
        return fs::path(pathmap::DestinationFolder(SyncTo(), Narrow(source.parent_path()))) /
               source.filename();
    }
    void AddFileset(const fs::path& folder) { form_.lstSyncFrom.items.push_back(Pattern(folder)); }
    // A fileset whose copy always fails alike: a plain file stands where its copy's folder
    // belongs (the cleanup keeps it, its source being a folder).
    fs::path FailingFileset() {
        WriteFile(Src("bad/x.txt"), "x");
        WriteFile(Mirror(Src("bad")), "in the way");
        return Src("bad");
    }
    std::string LastError() { return form.ReadErrorMessage(); }
    std::string Status() { return form_.status().text; }

    TempDir tmp;
    HeadlessForm form_;
    frmMain& form = form_.form;
};

// The number of files the process holds open, or -1 where the system cannot tell.
inline int OpenDescriptors() {
#ifdef __linux__
    std::error_code ec;
    auto it = fs::directory_iterator("/proc/self/fd", ec);
    return ec ? -1 : static_cast<int>(std::distance(it, fs::directory_iterator()));
#else
    return -1;
#endif
}

// Owner write bit clear: the platform refuses to delete the file, as Windows does.
inline void SetReadOnly(const fs::path& file) {
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}
