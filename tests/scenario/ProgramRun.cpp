#include "tests/scenario/ProgramRun.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Looks in a row that must find the program waiting: a pass of the event loop during a cycle
// polls without waiting, so it is never seen that often.
constexpr int kIdleLooks = 8;

[[noreturn]] void ExecProgram(const fs::path& exe, const fs::path& log, bool priorityRefused) {
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(out, STDERR_FILENO);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // No desktop session to talk to: nothing outside the program may make it wait.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
        ::unsetenv(name);
    if (priorityRefused) {
        // No CAP_SYS_NICE and the lowest priority already, so lowering it further is the only
        // change allowed and raising it back is refused.
        ::prctl(PR_CAPBSET_DROP, CAP_SYS_NICE, 0, 0, 0);
        const rlimit none{0, 0};
        ::setrlimit(RLIMIT_NICE, &none);
        ::setpriority(PRIO_PROCESS, 0, 19);
    }
    ::execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
}

// Ended, and not yet reaped: the exit status stays for EndWith.
bool Ended(pid_t pid) {
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
           info.si_pid == pid;
}

// /proc/<pid>/syscall names the call the main thread sleeps in, or says "running".
bool Idle(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/syscall");
    long number = -1;
    in >> number;
#ifdef SYS_poll
    if (number == SYS_poll)
        return true;
#endif
    return number == SYS_ppoll;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, int ms, int stepMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
    }
    return true;
}

pid_t StartProgram(const fs::path& folder, const fs::path& log, bool priorityRefused) {
    const fs::path exe = folder / "brannock";
    fs::copy_file(BRANNOCK_PROGRAM, exe, fs::copy_options::overwrite_existing);
    const pid_t pid = ::fork();
    if (pid == 0)
        ExecProgram(exe, log, priorityRefused);
    if (pid < 0)
        throw std::runtime_error("cannot start the program");
    return pid;
}

bool WaitUntilIdle(pid_t pid, int ms) {
    int looks = 0;
    WaitUntil(
        [&] {
            looks = Idle(pid) ? looks + 1 : 0;
            return looks >= kIdleLooks || Ended(pid);
        },
        ms, 25);
    return looks >= kIdleLooks;
}

bool EndWith(pid_t pid, int signal, int ms) {
    const bool wasRunning = !Ended(pid);
    ::kill(pid, signal);
    const bool ended = WaitUntil([pid] { return Ended(pid); }, ms, 10);
    if (!ended)
        ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return wasRunning && ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
