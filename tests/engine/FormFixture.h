// A headless main window over real folders: sources, a Sync To directory and a settings file,
// all in one temporary folder.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/MirrorMark.h"
#include "engine/PathMapping.h"
#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "tests/support/OpenDescriptors.h"
#include "tests/support/TempDir.h"
#include "ui/headless/HeadlessForm.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class FormFixture : public ::testing::Test {
  protected:
    FormFixture() : form_(tmp.str("brannock")) {
        form.IniFile = tmp.str("brannock.ini");
        form.SyncOn = true;
        fs::create_directories(tmp.path() / "mirror");
        mirror::WriteMark(SyncTo());  // as a switch-on from the window leaves it
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
    std::string LogText() const { return ReadFileText(form.Log.Path()); }
    std::string Status() { return form_.status().text; }
    HeadlessDesktop& desktop() { return form_.desktop; }
    // A value of the settings file as a fresh start would read it.
    std::string Saved(const char* section, const std::string& key) const {
        std::string saved;
        ReadIniString(section, key, "<absent>", saved, form.IniFile);
        return saved;
    }
    // The message boxes shown so far, each as "title|style|prompt".
    std::vector<std::string> Boxes() const {
        std::vector<std::string> shown;
        for (const auto& b : form_.desktop.boxes)
            shown.push_back(b.title + "|" + std::to_string(b.style) + "|" + b.prompt);
        return shown;
    }
    // Sync cycles started so far: every cycle sets the tray tip to "Sync Active" first.
    static long Cycles(const HeadlessForm& w) {
        const auto& tips = w.SysTray1.tipHistory;
        return std::count(tips.begin(), tips.end(), "Sync Active");
    }
    long Cycles() const { return Cycles(form_); }

    TempDir tmp;
    HeadlessForm form_;
    frmMain& form = form_.form;
};

// Whether the path shows as a link (a reparse point), as the passes see it.
inline bool IsLink(const fs::path& path) {
    const DWORD attributes = GetFileAttributesA(Narrow(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// How often `word` occurs in `text`.
inline long Count(const std::string& text, const std::string& word) {
    long n = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++n;
    return n;
}

// The system's own text for an error code.
inline std::string SystemText(DWORD error) {
    SetLastError(error);
    CaptureLastError();
    return GetSystemErrorText();
}

// Owner write bit clear: the platform refuses to delete the file, as Windows does.
inline void SetReadOnly(const fs::path& file) {
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}
