#include "tests/scenario/ScenarioFixture.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Looks in a row that must find the program waiting: a pass of the event loop during a cycle
// polls without waiting, so it is never seen that often.
constexpr int kIdleLooks = 8;

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

// Waits (boundedly) until `done` holds, looking every `stepMs` milliseconds.
bool WaitUntil(const std::function<bool()>& done, int ms, int stepMs = 20) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
    }
    return true;
}

// What a folder tree holds, taken without following any link, by the entries' paths below its
// root: two snapshots compare equal when nothing in the tree was created, changed or deleted.
using TreeSnapshot = std::map<fs::path, TreeEntry>;

std::int64_t Nanos(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The tree below `root`, leaving out the entries at or below any of `skipped` (full paths).
TreeSnapshot Snapshot(const fs::path& root, const std::vector<fs::path>& skipped = {}) {
    TreeSnapshot tree;
    auto it = fs::recursive_directory_iterator(root);  // links are never followed
    for (; it != fs::recursive_directory_iterator(); ++it) {
        if (std::ranges::find(skipped, it->path()) != skipped.end())
            it.disable_recursion_pending();
        else
            tree[it->path().lexically_relative(root)] = Entry(it->path());
    }
    return tree;
}

// One line per entry created, changed or deleted between the two; empty when none was.
std::string Differences(const TreeSnapshot& before, const TreeSnapshot& after) {
    std::string out;
    for (const auto& [path, entry] : before)
        if (!after.contains(path) || after.at(path) != entry)
            out += (after.contains(path) ? "changed: " : "deleted: ") + path.native() + "\n";
    for (const auto& [path, entry] : after)
        out += before.contains(path) ? "" : "created: " + path.native() + "\n";
    return out;
}

}  // namespace

TreeEntry Entry(const fs::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return {};
    TreeEntry e{'?', "", Nanos(st.st_mtim), st.st_ino, Nanos(st.st_ctim)};
    if (S_ISREG(st.st_mode)) {
        e.kind = 'f';
        e.content = ReadFileText(path);
    } else if (S_ISDIR(st.st_mode)) {
        e.kind = 'd';
        // A folder's times move with its entries, which are compared themselves.
        e.ctimeNs = e.mtimeNs = 0;
    } else if (S_ISLNK(st.st_mode)) {
        e.kind = 'l';
        e.content = fs::read_symlink(path).native();
    }
    return e;
}

void Put(const fs::path& file, const std::string& content, std::int64_t seconds) {
    WriteFile(file, content);
    SetWriteTime(file, seconds, 0);
}

ScenarioFixture::ScenarioFixture()
    : prog(root.path() / "prog"),
      syncTo(root.path() / "dest"),
      src(root.path() / "src"),
      marker(root.path() / "marker" / "last.txt") {
    fs::create_directories(syncTo);  // the program's own folder comes with its settings file
    Put(marker, "the last fileset");
    Put(src / "a.txt", "alpha");
    Put(src / "sub" / "b.txt", "bravo, changed since its copy");
    Put(src / "sub" / "deeper" / "c.bin", std::string("\0\1\2\3", 4));
}

void ExpectSameFiles(const fs::path& copies, const fs::path& originals,
                     const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const TreeEntry copy = Entry(copies / name), original = Entry(originals / name);
        // The time as the program compares it, to the whole second; the size goes with the bytes.
        EXPECT_EQ(std::pair(copy.content, copy.mtimeNs / 1'000'000'000),
                  std::pair(original.content, original.mtimeNs / 1'000'000'000))
            << name;
    }
}

bool ScenarioFixture::Run(const ScenarioSettings& s) {
    WriteSettingsIn(prog, s);
    const fs::path log = root.path() / "output.txt";
    // The program's own files beside it (settings, activity log) are its to write.
    std::vector<fs::path> kept = {syncTo, log, s.disk};
    for (const char* own : {"brannock.ini", "brannock", "brannock.log", "brannock.log.1"})
        kept.push_back(prog / own);
    const TreeSnapshot outsideBefore = Snapshot(root.path(), kept);

    const pid_t pid = Launch(prog, "output.txt", s.priorityRefused);
    const bool ready =
        s.priorityRefused ||
        WaitUntil([&] { return s.mirrorAway ? !LastError().empty() : fs::exists(Mirror(marker)); },
                  30000);
    const bool idle = BecomesIdle(pid);
    const bool ended = EndsBy(pid, SIGTERM);
    EXPECT_TRUE(ready && idle && ended) << "ready " << ready << ", idle " << idle
                                        << ", ended promptly on SIGTERM " << ended << "; output:\n"
                                        << ReadFileText(log);

    EXPECT_EQ(Differences(outsideBefore, Snapshot(root.path(), kept)), "") << "outside the mirror";
    return ready && idle && ended;
}

void ScenarioFixture::WriteSettingsIn(const fs::path& folder, const ScenarioSettings& s) const {
    fs::create_directories(folder);
    std::ofstream out(folder / "brannock.ini", std::ios::binary | std::ios::trunc);
    out << "[Options]\nSyncOn=Yes\nSyncTo=" << syncTo.native() << "\nWakeup=30\nDelete=Yes\n"
        << (s.savedBefore ? "About=No\n" : "");
    out << "[FileSets]\n";
    for (std::size_t i = 0; i < s.folders.size(); ++i)
        out << "FileSet" << i + 1 << "=" << (s.folders[i] / "*.*").native() << "\n";
}

// The built program run as a user runs it: a copy of the executable in `<folder>/brannock`, so
// its settings file is `<folder>/brannock.ini`, on the offscreen platform, ended by a signal
// like a log-off ends it, its output going to `<root>/<outputName>`. With `priorityRefused` it
// has no right to raise its priority, so its start-up asks for it in vain and says so in a
// message box.
pid_t ScenarioFixture::Launch(const fs::path& folder, const std::string& outputName,
                              bool priorityRefused) {
    const fs::path exe = folder / "brannock";
    fs::copy_file(BRANNOCK_PROGRAM, exe, fs::copy_options::skip_existing);
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("cannot start the program");
    if (pid > 0)
        return pid;
    const int out = ::open((root.path() / outputName).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
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

// True once the program waits for events (its main thread sleeps in the event loop, or a modal
// window's) through several looks in a row.
bool ScenarioFixture::BecomesIdle(pid_t pid) {
    int looks = 0;
    WaitUntil(
        [&] {
            looks = Idle(pid) ? looks + 1 : 0;
            return looks >= kIdleLooks || HasEnded(pid);
        },
        30000, 25);
    return looks >= kIdleLooks;
}

// Ended, and not yet reaped: the exit status stays for Reaped.
bool ScenarioFixture::HasEnded(pid_t pid) {
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
           info.si_pid == pid;
}

bool ScenarioFixture::EndsBy(pid_t pid, int signal) {
    const bool wasRunning = !HasEnded(pid);
    ::kill(pid, signal);
    return Reaped(pid, 10000) == 0 && wasRunning;
}

int ScenarioFixture::Reaped(pid_t pid, int ms) {
    const bool ended = WaitUntil([pid] { return HasEnded(pid); }, ms, 10);
    if (!ended)
        ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ScenarioFixture::ExpectSecondRunChangesNothing(const ScenarioSettings& settings) {
    const TreeSnapshot mirrored = Snapshot(syncTo);
    ASSERT_TRUE(Run(settings));
    EXPECT_EQ(Differences(mirrored, Snapshot(syncTo)), "") << "a second cycle changed the mirror";
}
