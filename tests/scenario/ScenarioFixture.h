// A scenario: folders prepared in a temporary root, the program started on them with its
// settings file, ended by a stop signal once its first cycle is over, and the promises a user
// relies on checked after every run.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
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
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "fileio/modWin32.h"
#include "tests/support/TempDir.h"

// An entry as it stands, a link taken as the link; kind '?' when there is none.
struct TreeEntry {
    char kind = '?';      // 'f' file, 'd' folder, 'l' link, '?' anything else
    std::string content;  // a file's bytes, a link's target
    std::int64_t mtimeNs = 0;
    ino_t inode = 0;
    std::int64_t ctimeNs = 0;  // changes with any rewrite, even one that restores the times
    bool operator==(const TreeEntry&) const = default;
};
inline TreeEntry Entry(const std::filesystem::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return {};
    const std::int64_t mtime = st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec,
                       ctime = st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec;
    if (S_ISREG(st.st_mode))
        return {'f', ReadFileText(path), mtime, st.st_ino, ctime};
    if (S_ISDIR(st.st_mode))  // its times move with its entries, which are compared themselves
        return {'d', "", 0, st.st_ino, 0};
    if (S_ISLNK(st.st_mode))
        return {'l', std::filesystem::read_symlink(path).native(), mtime, st.st_ino, ctime};
    return {'?', "", mtime, st.st_ino, ctime};
}

// Each of `names` below `copies` has the content and last-write time of its namesake below
// `originals`.
inline void ExpectSameFiles(const std::filesystem::path& copies,
                            const std::filesystem::path& originals,
                            const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const TreeEntry copy = Entry(copies / name), original = Entry(originals / name);
        // The time as the program compares it, to the whole second; the size goes with the bytes.
        EXPECT_EQ(std::pair(copy.content, copy.mtimeNs / 1'000'000'000),
                  std::pair(original.content, original.mtimeNs / 1'000'000'000))
            << name;
    }
}

// Writes `content` to `file` (its folders created) with its last write at `seconds` past the
// epoch.
inline void Put(const std::filesystem::path& file, const std::string& content,
                std::int64_t seconds = 1700000000) {
    WriteFile(file, content);
    SetWriteTime(file, seconds, 0);
}

// Always switched on, with Delete on.
struct ScenarioSettings {
    bool savedBefore = true;  // false: a first start, which shows the About box
    // No right to raise the priority: the start-up's message box comes before the settings
    // are loaded, and no cycle runs.
    bool priorityRefused = false;
    std::vector<std::filesystem::path> folders;  // one fileset of all files below each
    int keepDeleted = 0;                         // KeepDeleted's days, when above 0
    // Where the mirror's disk is mounted besides the Sync To directory: its changes are the
    // mirror's.
    std::filesystem::path disk{};
};

class ScenarioFixture : public ::testing::Test {
  protected:
    using path = std::filesystem::path;

    // Plants a small tree in `src` and the marker; the program's own folder comes with its
    // settings file.
    ScenarioFixture() {
        std::filesystem::create_directories(syncTo);
        Put(marker, "the last fileset");
        Put(src / "a.txt", "alpha");
        Put(src / "sub" / "b.txt", "bravo, changed since its copy");
        Put(src / "sub" / "deeper" / "c.bin", std::string("\0\1\2\3", 4));
    }

    // The copy of `source` in the mirror.
    path Mirror(const path& source) const { return syncTo / source.relative_path(); }
    // The text of the last error recorded, "" when none.
    std::string LastError() const {
        return ReadIniText("Error", "LastErrorMsg", (prog / "brannock.ini").native());
    }
    // Settings for `folder`, then the marker's folder, the last: once the marker is copied,
    // the first cycle has gone through every fileset.
    ScenarioSettings Mirroring(const path& folder) const {
        return {.folders = {folder, marker.parent_path()}};
    }

    // One run: starts the program, waits until its first cycle is over (if it runs one) and
    // the program is idle, ends it with SIGTERM and checks that nothing outside the mirror
    // changed (the sources outside it included). Returns false, with a failure added, when the
    // program did not end promptly and cleanly.
    bool Run(const ScenarioSettings& s) {
        WriteSettingsIn(prog, s);
        const path log = root.path() / "output.txt";
        // The program's own files beside it (settings, activity log) are its to write.
        std::vector<path> kept = {syncTo, log, s.disk};
        for (const char* own : {"brannock.ini", "brannock", "brannock.log", "brannock.log.1"})
            kept.push_back(prog / own);
        const TreeSnapshot outsideBefore = Snapshot(root.path(), kept);

        const pid_t pid = Launch(prog, "output.txt", s.priorityRefused);
        // The first cycle is over once the marker is copied, or once it recorded a failure.
        const bool ready =
            s.priorityRefused || WaitUntil([&] {
                return std::filesystem::exists(Mirror(marker)) || !LastError().empty();
            });
        const bool idle = BecomesIdle(pid);
        const bool ended = EndsBy(pid, SIGTERM);
        EXPECT_TRUE(ready && idle && ended) << "ready, idle, ended promptly on SIGTERM: " << ready
                                            << idle << ended << "; output:\n" + ReadFileText(log);
        EXPECT_EQ(Differences(outsideBefore, Snapshot(root.path(), kept)), "")
            << "outside the mirror";
        return ready && idle && ended;
    }

    // The settings file `<folder>/brannock.ini` as `s` give it, the folder made if need be.
    void WriteSettingsIn(const path& folder, const ScenarioSettings& s) const {
        std::filesystem::create_directories(folder);
        std::ofstream out(folder / "brannock.ini", std::ios::binary | std::ios::trunc);
        out << "[Options]\nSyncOn=Yes\nSyncTo=" << syncTo.native() << "\nWakeup=30\nDelete=Yes\n"
            << (s.savedBefore ? "About=No\n" : "");
        if (s.keepDeleted > 0)
            out << "KeepDeleted=" << s.keepDeleted << "\n";
        out << "[FileSets]\n";
        for (std::size_t i = 0; i < s.folders.size(); ++i)
            out << "FileSet" << i + 1 << "=" << (s.folders[i] / "*.*").native() << "\n";
    }

    // The built program run as a user runs it, started without waiting: a copy of the
    // executable in `<folder>/brannock`, so its settings file is `<folder>/brannock.ini`, on
    // the offscreen platform, its output going to `<root>/<outputName>`. With `priorityRefused`
    // it has no right to raise its priority, so its start-up asks for it in vain and says so in
    // a message box. Each must be ended with EndsBy or Reaped.
    pid_t Launch(const path& folder, const std::string& outputName, bool priorityRefused = false) {
        const path exe = folder / "brannock";
        std::filesystem::copy_file(BRANNOCK_PROGRAM, exe,
                                   std::filesystem::copy_options::skip_existing);
        const pid_t pid = ::fork();
        if (pid < 0)
            throw std::runtime_error("cannot start the program");
        if (pid > 0)
            return pid;
        const int out =
            ::open((root.path() / outputName).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // No desktop session to talk to: nothing outside the program may make it wait.
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
            ::unsetenv(name);
        if (priorityRefused) {
            // No CAP_SYS_NICE and the lowest priority already, so lowering it further is the
            // only change allowed and raising it back is refused.
            ::prctl(PR_CAPBSET_DROP, CAP_SYS_NICE, 0, 0, 0);
            const rlimit none{0, 0};
            ::setrlimit(RLIMIT_NICE, &none);
            ::setpriority(PRIO_PROCESS, 0, 19);
        }
        ::execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // True once the program waits for events (its main thread sleeps in the event loop, or a
    // modal window's) through several looks in a row: a pass of the event loop during a cycle
    // polls without waiting, so it is never seen that often.
    static bool BecomesIdle(pid_t pid) {
        constexpr int kIdleLooks = 8;
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
    static bool HasEnded(pid_t pid) {
        siginfo_t info{};
        return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
               info.si_pid == pid;
    }
    // Sends `signal` and waits: true when the program ended promptly by itself with code 0.
    static bool EndsBy(pid_t pid, int signal) {
        const bool wasRunning = !HasEnded(pid);
        ::kill(pid, signal);
        return Reaped(pid, 10000) == 0 && wasRunning;
    }
    // Waits up to `ms` milliseconds for the program to end by itself: its exit code, or -1
    // when it had to be killed.
    static int Reaped(pid_t pid, int ms) {
        const bool ended = WaitUntil([pid] { return HasEnded(pid); }, ms, 10);
        if (!ended)
            ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TempDir root;
    path prog = root.path() / "prog";
    path syncTo = root.path() / "dest";
    path src = root.path() / "src";                     // a.txt, sub/b.txt, sub/deeper/c.bin
    path marker = root.path() / "marker" / "last.txt";  // the one file of the last fileset

    // What a folder tree holds, taken without following any link, by the entries' paths below
    // its root: two snapshots compare equal when nothing in the tree was created, changed or
    // deleted.
    using TreeSnapshot = std::map<path, TreeEntry>;

    // The tree below `root`, leaving out the entries at or below any of `skipped` (full paths).
    static TreeSnapshot Snapshot(const path& root, const std::vector<path>& skipped = {}) {
        TreeSnapshot tree;
        using Walk = std::filesystem::recursive_directory_iterator;  // links never followed
        for (Walk it(root); it != Walk(); ++it)
            if (std::ranges::find(skipped, it->path()) != skipped.end())
                it.disable_recursion_pending();
            else
                tree[it->path().lexically_relative(root)] = Entry(it->path());
        return tree;
    }
    // One line per entry created, changed or deleted between the two; empty when none was.
    static std::string Differences(const TreeSnapshot& before, const TreeSnapshot& after) {
        std::string out;
        for (const auto& [name, entry] : before)
            if (!after.contains(name) || after.at(name) != entry)
                out += (after.contains(name) ? "changed: " : "deleted: ") + name.native() + "\n";
        for (const auto& [name, entry] : after)
            out += before.contains(name) ? "" : "created: " + name.native() + "\n";
        return out;
    }

    // /proc/<pid>/syscall names the call the main thread sleeps in, or says "running".
    static bool Idle(pid_t pid) {
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
    static bool WaitUntil(const std::function<bool()>& done, int ms = 30000, int stepMs = 20) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
        }
        return true;
    }
};
