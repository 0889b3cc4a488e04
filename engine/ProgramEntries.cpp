#include "engine/ProgramEntries.h"

#include "fileio/PathText.h"

namespace engine {

namespace {

std::string_view WithoutFinalSeps(std::string_view folder) {
    while (!folder.empty() && folder.back() == kSep)
        folder.remove_suffix(1);
    return folder;
}

}  // namespace

bool IsSyncToFolder(std::string_view syncTo, std::string_view dir) {
    return !syncTo.empty() && WithoutFinalSeps(syncTo) == WithoutFinalSeps(dir);
}

bool IsProgramEntry(std::string_view syncTo, std::string_view dir, std::string_view name) {
    // The name first: it rules out nearly every entry without looking at the folder.
    if (name != kMirrorMarkName && name != kVersionsFolderName)
        return false;
    return IsSyncToFolder(syncTo, dir);
}

}  // namespace engine
