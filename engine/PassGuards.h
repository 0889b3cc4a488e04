// What the copy and cleanup passes leave alone, whatever the settings and the folders hold:
// the copy pass never enters the Sync To directory nor writes through a link below it, the
// cleanup never enters a fileset's folder, and neither works from a fileset entry that is not
// a full path. The folders' identities are worked out once per pass; the walks compare one
// identity per folder they would enter.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "fileio/FolderEntries.h"
#include "fileio/FolderIdentity.h"

class frmMain;

namespace engine {

class PassGuards {
  public:
    // A folder the walk never enters, with the error recorded when the walk meets it.
    void Fence(const std::string& folder, const std::string& why);
    // The error of the fenced folder that `folder` is, or nullptr when the walk may enter it.
    const std::string* Fenced(const std::string& folder);

    // The copy pass's destination folder last found free of links.
    std::string linkFreeFolder;
    // The copy pass's look-ups of destination files, one folder held at a time.
    folders::EntryLookUps destinationEntries;
    // The cleanup pass's names of the source folder last asked about.
    folders::NameListing sourceNames;
    // The Sync To directory as the cleanup walk spells it: the program's own entries there
    // are passed over. Empty in the copy pass.
    std::string programEntriesIn;

  private:
    std::vector<std::pair<folders::FolderId, std::string>> fenced_;
    std::vector<std::pair<std::string, std::string>> pending_;  // not there when fenced
};

// Makes `guards` the form's guards while it lives: the walk's inner levels find them there.
class ActivePass {
  public:
    ActivePass(frmMain& form, PassGuards& guards);
    ~ActivePass();
    ActivePass(const ActivePass&) = delete;
    ActivePass& operator=(const ActivePass&) = delete;

  private:
    frmMain& form_;
};

// The guards of the copy pass over the fileset `pattern`; false, with the reason recorded,
// when the whole fileset is left alone.
bool GuardCopyPass(frmMain& form, const std::string& pattern, PassGuards& guards);
// The guards of the cleanup pass; false, with the reason recorded, when the whole Sync To
// directory is left alone.
bool GuardCleanupPass(frmMain& form, PassGuards& guards);

// The first link (or other reparse point) strictly below `folder` on the way to `path`, `path`
// itself included; "" when there is none.
std::string LinkBelow(const std::string& folder, const std::string& path);

std::string OverlapError(const std::string& folder, const std::string& syncTo);
std::string VersionsFolderError(const std::string& folder, const std::string& syncTo);
std::string NotFullPathError(const std::string& entry);

}  // namespace engine
