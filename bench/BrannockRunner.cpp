#include "bench/BrannockRunner.h"

#include <unistd.h>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "bench/Process.h"
#include "fileio/PathText.h"
#include "platform/win32.h"
#include "ui/headless/HeadlessForm.h"

namespace {

constexpr const char* kProgramPriority = "lowest";
constexpr const char* kNoLog = "nolog";

// A settings file as Brannock leaves it after a save, so that the per-file read of the cut-off
// parses a file of realistic size.
void WriteSettings(const fs::path& ini, const fs::path& workDir) {
    std::ofstream out(ini, std::ios::trunc);
    out << "[Options]\nSyncOn=Yes\nAbout=No\nSyncTo=" << workDir.string() << "\nWakeup=30\n"
        << "[FileSets]\nFileSet1=" << workDir.string() << kSep << kAllFiles << "\nFileSet2=\n";
}

// Every copy sets the progress bar to 0 and climbs to 100 from there, so each step down to 0
// starts a copy (a copy's first blocks of a large file may show 0 as well).
long CopiesShown(const std::vector<int>& values) {
    long copies = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == 0 && (i == 0 || values[i - 1] != 0))
            ++copies;
    }
    return copies;
}

}  // namespace

BrannockRunner::BrannockRunner(const fs::path& workDir, fs::path benchProgram, bool programPriority,
                               bool activityLog)
    : benchProgram_(std::move(benchProgram)),
      exePath_(workDir / "brannock"),
      programPriority_(programPriority),
      activityLog_(activityLog) {
    WriteSettings(workDir / "brannock.ini", workDir);
}

fs::path BrannockMirrorOf(const fs::path& source, const fs::path& destRoot) {
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
    std::vector<std::string> argv = {benchProgram_.string(), kCycleArgument,
                                     exePath_.string(),      job.source.string(),
                                     job.destRoot.string(),  job.deleteOrphans ? "1" : "0"};
    if (programPriority_)
        argv.push_back(kProgramPriority);
    if (!activityLog_)
        argv.push_back(kNoLog);
    ProcessUsage usage = RunProcess(argv, true);
    if (usage.exitStatus != 0)
        throw RunFailure("the cycle's process ended with status " +
                         std::to_string(usage.exitStatus));
    SyncResult result{usage.wallSeconds, usage.cpuSeconds};
    std::istringstream(usage.output) >> result.copies >> result.peakKiB;
    return result;
}

int RunCycleCommand(const std::vector<std::string>& args) {
    bool lowest = false;
    bool log = true;
    for (std::size_t i = 4; i < args.size(); ++i) {
        lowest = lowest || args[i] == kProgramPriority;
        log = log && args[i] != kNoLog;
    }
    if (args.size() < 4 || args.size() - 4 != std::size_t{lowest} + std::size_t{!log}) {
        std::cerr << "usage: brannock_bench " << kCycleArgument
                  << " <program> <source> <destination> <0|1|keep> [" << kProgramPriority << "] ["
                  << kNoLog << "]\n";
        return 2;
    }
    // The program lowers its thread's priority as it starts; on a busy machine that alone
    // decides much of its wall time.
    if (lowest && SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST) == 0)
        return 2;
    HeadlessForm ui(args[0]);
    ui.form.IniFile = fs::path(args[0]).replace_extension(".ini").string();
    if (log) {
        ui.form.LogFile = fs::path(args[0]).replace_extension(".log").string();
        ui.form.Log.SetPath(ui.form.LogFile);
    }
    ui.form.SyncOn = true;
    // "keep": Delete with KeepDeleted, so every orphan is moved aside instead.
    ui.form.DeleteOrphans = args[3] == "1" || args[3] == "keep";
    ui.form.KeepDeleted = args[3] == "keep" ? 30 : 0;
    ui.lstSyncFrom.AddItem(args[1] + kSep + std::string(kAllFiles));
    ui.txtSyncTo.SetText(args[2]);
    // Made the mirror, as switching syncing on from the window does.
    if (const std::string why = ui.form.SetUpMirror(); !why.empty()) {
        std::cerr << "brannock_bench: cannot set up the mirror: " << why << "\n";
        return 1;
    }
    ui.pgrStatus.history.reserve(1 << 16);
    if (!ui.form.RunSyncCycle()) {
        std::cerr << "brannock_bench: the sync cycle returned False; last error recorded: \""
                  << ui.form.ReadErrorMessage() << "\"\n";
        return 1;
    }
    std::cout << CopiesShown(ui.pgrStatus.history) << ' ' << PeakResidentKiB(getpid()) << '\n';
    return 0;
}
