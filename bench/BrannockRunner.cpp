#include "bench/BrannockRunner.h"

#include <fstream>
#include <vector>

#include "bench/Timing.h"
#include "fileio/PathText.h"
#include "ui/headless/HeadlessForm.h"

namespace {

// A settings file as Brannock leaves it after a save, so that the per-file read of the cut-off
// parses a file of realistic size.
void WriteSettings(const fs::path& ini, const fs::path& workDir) {
    std::ofstream out(ini, std::ios::trunc);
    out << "[Options]\nSyncOn=Yes\nAbout=No\nSyncTo=" << workDir.string() << "\nWakeup=30\n"
        << "[FileSets]\nFileSet1=" << workDir.string() << kSep << kAllFiles << "\nFileSet2=\n";
}

}  // namespace

BrannockRunner::BrannockRunner(const fs::path& workDir)
    : exePath_(workDir / "brannock"), iniPath_(workDir / "brannock.ini") {
    WriteSettings(iniPath_, workDir);
}

fs::path BrannockRunner::MirrorOf(const fs::path& source, const fs::path& destRoot) const {
    std::string dest = destRoot.string();
    while (!dest.empty() && dest.back() == kSep)
        dest.pop_back();
    std::string from = source.string();
    auto colon = from.find(':');
    if (colon != std::string::npos)
        return dest + kSep + from.erase(colon, 1);
    return dest + from;
}

SyncResult BrannockRunner::Run(const SyncJob& job) {
    HeadlessForm ui(exePath_.string());
    ui.form.IniFile = iniPath_.string();
    ui.form.SyncOn = true;
    ui.form.DeleteOrphans = job.deleteOrphans;
    ui.lstSyncFrom.AddItem(job.source.string() + kSep + std::string(kAllFiles));
    ui.txtSyncTo.SetText(job.destRoot.string());
    ui.pgrStatus.history.reserve(1 << 16);

    Stopwatch watch;
    bool ok = ui.form.RunSyncCycle();
    SyncResult result{watch.Seconds()};

    if (!ok) {
        throw RunFailure("the sync cycle returned False; last error recorded: \"" +
                         ui.form.ReadErrorMessage() + "\"");
    }
    // Every copy sets the progress bar to 0 and climbs to 100 from there, so each step down
    // to 0 starts a copy (a copy's first blocks of a large file may show 0 as well).
    const std::vector<int>& values = ui.pgrStatus.history;
    result.copies = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == 0 && (i == 0 || values[i - 1] != 0))
            ++result.copies;
    }
    return result;
}
