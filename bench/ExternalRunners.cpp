#include "bench/ExternalRunners.h"

#include <unistd.h>
#include <cstdlib>

#include "bench/Process.h"

bool ToolAvailable(const std::string& program) {
    return std::system((program + " --version >/dev/null 2>&1").c_str()) == 0;
}

void FlushFileSystem() {
    sync();
}

SyncResult RunTool(const std::vector<std::string>& argv) {
    ProcessUsage usage = RunProcess(argv);
    if (usage.exitStatus != 0) {
        std::string command;
        for (const std::string& word : argv)
            command += (command.empty() ? "" : " ") + word;
        throw RunFailure("`" + command + "` failed with status " +
                         std::to_string(usage.exitStatus));
    }
    return {usage.wallSeconds, usage.cpuSeconds};
}

std::vector<std::string> RsyncRunner::Command(const SyncJob& job) {
    std::vector<std::string> argv = {"rsync", "-a"};
    if (job.deleteOrphans)
        argv.push_back("--delete");
    for (const std::string& word :
         {std::string("--"), job.source.string() + "/", job.destRoot.string() + "/"})
        argv.push_back(word);
    return argv;
}

SyncResult RsyncRunner::Run(const SyncJob& job) {
    return RunTool(Command(job));
}

std::vector<std::string> CpRunner::Command(const SyncJob& job) {
    return {"cp", "-a", "--", (job.source / ".").string(), job.destRoot.string()};
}

SyncResult CpRunner::Run(const SyncJob& job) {
    return RunTool(Command(job));
}
