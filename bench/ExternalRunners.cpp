#include "bench/ExternalRunners.h"

#include <cstdlib>

#include "bench/Timing.h"

namespace {

#ifdef _WIN32
constexpr const char* kQuiet = " >NUL 2>&1";
#else
constexpr const char* kQuiet = " >/dev/null 2>&1";
#endif

SyncResult RunCommand(const std::string& command) {
    Stopwatch watch;
    int status = std::system(command.c_str());
    SyncResult result{watch.Seconds()};
    if (status != 0) {
        throw RunFailure("`" + command + "` failed with status " + std::to_string(status));
    }
    return result;
}

}  // namespace

bool ToolAvailable(const std::string& program) {
    return std::system((program + " --version" + kQuiet).c_str()) == 0;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

void FlushFileSystem() {
#ifndef _WIN32
    if (std::system("sync") != 0)
        return;  // a failed flush only makes timings noisier
#endif
}

std::string RsyncRunner::Command(const SyncJob& job) {
    return std::string("rsync -a") + (job.deleteOrphans ? " --delete" : "") + " -- " +
           ShellQuote(job.source.string() + "/") + " " + ShellQuote(job.destRoot.string() + "/");
}

SyncResult RsyncRunner::Run(const SyncJob& job) {
    return RunCommand(Command(job));
}

std::string CpRunner::Command(const SyncJob& job) {
    return "cp -a -- " + ShellQuote((job.source / ".").string()) + " " +
           ShellQuote(job.destRoot.string());
}

SyncResult CpRunner::Run(const SyncJob& job) {
    return RunCommand(Command(job));
}
