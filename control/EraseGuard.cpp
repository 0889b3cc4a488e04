// Destinations that switching on must never erase, whatever the answers to the questions: the
// erase removes everything below the Sync To directory, and a mistyped or badly picked folder
// would take unrelated data, the program or the very sources with it.
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "fileio/FolderIdentity.h"
#include "fileio/PathText.h"
#include "ui/frmMain.h"

namespace fs = std::filesystem;

namespace {

// The folder a path text names, absolute, with links resolved and without a trailing
// separator; empty when the text names nothing the system can resolve.
fs::path Resolved(const std::string& text) {
    if (text.empty())
        return {};
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(text), ec);
    if (ec)
        return {};
    fs::path path = fs::weakly_canonical(absolute, ec);
    if (ec)
        return {};
    if (!path.has_filename() && path != path.root_path())
        path = path.parent_path();
    return path;
}

// True when `inner` is `outer` or lies somewhere below it, on disk.
bool IsWithin(const std::string& inner, const std::string& outer) {
    const folders::Nesting nesting = folders::Nest(inner, outer);
    return nesting == folders::Nesting::Same || nesting == folders::Nesting::FirstInside;
}

std::optional<fs::path> HomeFolder() {
#ifdef _WIN32
    const char* home = std::getenv("USERPROFILE");
#else
    const char* home = std::getenv("HOME");
#endif
    if (home == nullptr || *home == '\0')
        return std::nullopt;
    return Resolved(home);
}

}  // namespace

std::string frmMain::EraseRefusal(const std::string& syncTo) {
    const fs::path target = Resolved(syncTo);
    if (target.empty())
        return {};  // nothing there to erase; the erase itself reports it
    if (!target.has_relative_path())
        return "it is the root folder of a drive";
    if (auto home = HomeFolder(); home && IsWithin(home->string(), syncTo))
        return "it is or holds your home folder " + home->string();
    if (IsWithin(ProgramFolder(), syncTo))
        return "it is or holds the program folder " + Resolved(ProgramFolder()).string();
    for (int i = 0; i < lstSyncFrom.ListCount(); ++i) {
        const std::string folder = BeforeLastSep(lstSyncFrom.List(i));
        if (folders::Overlap(folder, syncTo))
            return "it is, holds or lies inside the Sync From folder " + folder;
    }
    return {};
}
