// Destinations that switching on must never erase, whatever the answers to the questions: the
// erase removes everything below the Sync To directory, and a mistyped or badly picked folder
// would take unrelated data, the program or the very sources with it.
#include <cstdlib>
#include <string>

#include "fileio/FolderIdentity.h"
#include "fileio/PathText.h"
#include "ui/frmMain.h"

namespace {

// True when `inner` is `outer` or lies somewhere below it, on disk.
bool IsWithin(const std::string& inner, const std::string& outer) {
    const folders::Nesting nesting = folders::Nest(inner, outer);
    return nesting == folders::Nesting::Same || nesting == folders::Nesting::FirstInside;
}

// The user's home folder as the system resolves it; empty when there is none.
std::string HomeFolder() {
#ifdef _WIN32
    const char* home = std::getenv("USERPROFILE");
#else
    const char* home = std::getenv("HOME");
#endif
    if (home == nullptr || *home == '\0')
        return {};
    return folders::FinalPathOf(home);
}

}  // namespace

std::string frmMain::EraseRefusal(const std::string& syncTo) {
    // The folders' own calls rather than std::filesystem, whose path handling drags the C++
    // library's locale support into the Windows program.
    const std::string target = folders::FinalPathOf(syncTo);
    if (target.empty())
        return {};  // nothing there to erase; the erase itself reports it
    if (folders::IsRoot(target))
        return "it is the root folder of a drive";
    if (const std::string home = HomeFolder(); !home.empty() && IsWithin(home, syncTo))
        return "it is or holds your home folder " + home;
    if (IsWithin(ProgramFolder(), syncTo))
        return "it is or holds the program folder " + folders::FinalPathOf(ProgramFolder());
    for (int i = 0; i < lstSyncFrom.ListCount(); ++i) {
        const std::string folder = BeforeLastSep(lstSyncFrom.List(i));
        if (folders::Overlap(folder, syncTo))
            return "it is, holds or lies inside the Sync From folder " + folder;
    }
    return {};
}
