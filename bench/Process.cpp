#include "bench/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

std::vector<char*> CStrings(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// The benchmark installs no signal handler, so neither reads nor waits are interrupted.
std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

}  // namespace

double MonotonicSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, bool captureOutput,
                           const std::vector<std::string>& extraEnv, bool quiet) {
    std::vector<std::string> args = argv, env = extraEnv;
    std::vector<char*> cArgs = CStrings(args), cEnv = CStrings(env);
    int pipeFds[2] = {-1, -1};
    if (captureOutput && pipe(pipeFds) != 0)
        throw std::runtime_error("cannot make a pipe for " + argv.front());
    startedAt_ = MonotonicSeconds();
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("cannot start " + argv.front());
    if (pid_ == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(captureOutput ? pipeFds[1] : null, STDOUT_FILENO);
        if (quiet)
            dup2(null, STDERR_FILENO);
        if (captureOutput)
            close(pipeFds[0]);
        for (char* variable : cEnv) {
            if (variable != nullptr)
                putenv(variable);
        }
        execvp(cArgs[0], cArgs.data());
        _exit(127);
    }
    if (captureOutput) {
        close(pipeFds[1]);
        outputFd_ = pipeFds[0];
    }
}

bool ChildProcess::Ended() {
    if (reaped_)
        return true;
    rusage usage{};
    if (wait4(pid_, &rawStatus_, WNOHANG, &usage) != pid_)
        return false;
    reaped_ = true;
    usage_.wallSeconds = MonotonicSeconds() - startedAt_;
    usage_.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    return true;
}

ProcessUsage ChildProcess::Wait() {
    if (outputFd_ >= 0) {
        usage_.output = ReadAll(outputFd_);
        close(outputFd_);
        outputFd_ = -1;
    }
    if (!reaped_) {
        rusage usage{};
        wait4(pid_, &rawStatus_, 0, &usage);
        reaped_ = true;
        usage_.wallSeconds = MonotonicSeconds() - startedAt_;
        usage_.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    }
    usage_.exitStatus = WIFEXITED(rawStatus_) ? WEXITSTATUS(rawStatus_) : -1;
    return usage_;
}

ProcessUsage RunProcess(const std::vector<std::string>& argv, bool captureOutput) {
    ChildProcess child(argv, captureOutput);
    return child.Wait();
}

double ProcessCpuSeconds(pid_t pid) {
    // Each thread's schedstat starts with the nanoseconds it has run on a CPU; unlike the
    // process's tick counts it is exact enough for spans of a tenth of a second.
    double total = 0.0;
    std::error_code error;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream in(task.path() / "schedstat");
        long long nanoseconds = 0;
        if (in >> nanoseconds)
            total += static_cast<double>(nanoseconds) / 1e9;
    }
    return total;
}

long PeakResidentKiB(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (in >> key) {
        long kib = 0;
        if (key == "VmHWM:" && in >> kib)
            return kib;
    }
    return 0;
}
