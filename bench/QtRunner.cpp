#include "bench/QtRunner.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <csignal>
#include <fstream>

#include "bench/BrannockRunner.h"
#include "bench/Process.h"
#include "engine/MirrorMark.h"
#include "fileio/PathText.h"

namespace {

constexpr const char* kMarkerName = "marker.txt";
constexpr int kTimeoutSeconds = 300;

// Watches a marker's mirror folder for the creation of the marker's copy.
class MarkerWatch {
  public:
    explicit MarkerWatch(const fs::path& copy) : copy_(copy) {
        fs::remove(copy);
        fs::create_directories(copy.parent_path());
        fd_ = inotify_init1(IN_CLOEXEC);
        if (fd_ < 0 || inotify_add_watch(fd_, copy.parent_path().c_str(), IN_CREATE) < 0)
            throw RunFailure("cannot watch " + copy.parent_path().string());
    }
    ~MarkerWatch() {
        if (fd_ >= 0)
            close(fd_);
        std::error_code ignored;
        fs::remove(copy_, ignored);
    }
    MarkerWatch(const MarkerWatch&) = delete;
    MarkerWatch& operator=(const MarkerWatch&) = delete;

    // Waits until the copy exists; false when `child` ended first or the time ran out.
    bool AwaitCopy(ChildProcess& child) {
        for (int waited = 0; waited < kTimeoutSeconds * 10; ++waited) {
            if (fs::exists(copy_))
                return true;
            pollfd event{fd_, POLLIN, 0};
            if (poll(&event, 1, 100) > 0) {
                char buffer[4096];
                if (read(fd_, buffer, sizeof buffer) < 0)
                    return false;
            } else if (child.Ended()) {
                return fs::exists(copy_);
            }
        }
        return false;
    }

  private:
    fs::path copy_;
    int fd_ = -1;
};

fs::path MakeMarker(const fs::path& folder) {
    fs::create_directories(folder);
    std::ofstream(folder / kMarkerName) << "marker\n";
    return folder;
}

}  // namespace

QtRunner::QtRunner(const fs::path& workDir, const fs::path& program)
    : exePath_(workDir / "qt" / "brannock"),
      startMarker_(MakeMarker(workDir / "qt" / "marker-start")),
      endMarker_(MakeMarker(workDir / "qt" / "marker-end")) {
    fs::copy_file(program, exePath_, fs::copy_options::overwrite_existing);
}

fs::path QtRunner::MirrorOf(const fs::path& source, const fs::path& destRoot) const {
    return BrannockMirrorOf(source, destRoot);
}

void QtRunner::WriteSettings(const SyncJob& job) const {
    std::ofstream out(fs::path(exePath_).replace_extension(".ini"), std::ios::trunc);
    out << "[Options]\nSyncOn=Yes\nAbout=No\nSyncTo=" << job.destRoot.string()
        << "\nWakeup=30\nDelete=" << (job.deleteOrphans ? "Yes" : "No") << "\n[FileSets]\n";
    int index = 1;
    for (const fs::path& folder : {startMarker_, job.source, endMarker_})
        out << "FileSet" << index++ << '=' << folder.string() << kSep << kAllFiles << '\n';
    out << "FileSet" << index << "=\n";
}

SyncResult QtRunner::Run(const SyncJob& job) {
    WriteSettings(job);
    // Marked as the mirror, as switching syncing on from the window leaves it: the program
    // starts with syncing on and writes only into a marked folder.
    fs::create_directories(job.destRoot);
    mirror::WriteMark(job.destRoot.string());
    MarkerWatch start(MirrorOf(startMarker_, job.destRoot) / kMarkerName);
    MarkerWatch end(MirrorOf(endMarker_, job.destRoot) / kMarkerName);
    // The offscreen platform's notices about missing window features would drown the
    // benchmark's own output.
    ChildProcess child({exePath_.string()}, false, {"QT_QPA_PLATFORM=offscreen"}, true);
    bool started = start.AwaitCopy(child);
    double startedAt = MonotonicSeconds(), cpuAtStart = ProcessCpuSeconds(child.pid());
    bool ended = started && end.AwaitCopy(child);
    SyncResult result{MonotonicSeconds() - startedAt, ProcessCpuSeconds(child.pid()) - cpuAtStart,
                      PeakResidentKiB(child.pid())};
    if (!child.Ended())
        kill(child.pid(), SIGTERM);
    ProcessUsage usage = child.Wait();
    if (!ended)
        throw RunFailure("the program's cycle did not reach its last fileset");
    if (usage.exitStatus != 0)
        throw RunFailure("the program ended with status " + std::to_string(usage.exitStatus));
    return result;
}
