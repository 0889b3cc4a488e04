#include "tests/scenario/ScenarioFixture.h"

#include <signal.h>

#include <fstream>

#include "tests/scenario/ProgramRun.h"

namespace fs = std::filesystem;

namespace {

void WriteSettings(const fs::path& ini, const fs::path& syncTo, const ScenarioSettings& s) {
    std::ofstream out(ini, std::ios::binary | std::ios::trunc);
    out << "[Options]\nSyncOn=Yes\nSyncTo=" << syncTo.native() << "\nWakeup=30\nDelete=Yes\n"
        << (s.savedBefore ? "About=No\n" : "") << "[FileSets]\n";
    for (std::size_t i = 0; i < s.folders.size(); ++i)
        out << "FileSet" << i + 1 << "=" << (s.folders[i] / "*.*").native() << "\n";
}

// A mirror file that the program takes as up to date is never copied again: it must be the
// very content of its source.
void ExpectUpToDateCopiesIdentical(const fs::path& syncTo) {
    for (const auto& [path, copy] : Snapshot(syncTo)) {
        const TreeEntry original = Entry("/" / path);
        if (copy.kind == 'f' && original.kind == 'f' && SameTimeAndSize(copy, original)) {
            EXPECT_EQ(copy.content, original.content) << "stale copy of /" << path;
        }
    }
}

}  // namespace

void Put(const fs::path& file, const std::string& content, std::int64_t seconds) {
    WriteFile(file, content);
    SetWriteTime(file, seconds, 0);
}

ScenarioFixture::ScenarioFixture()
    : prog(root.path() / "prog"),
      syncTo(root.path() / "dest"),
      src(root.path() / "src"),
      marker(root.path() / "marker" / "last.txt") {
    fs::create_directories(prog);
    fs::create_directories(syncTo);
    Put(marker, "the last fileset");
    Put(src / "a.txt", "alpha");
    Put(src / "sub" / "b.txt", "bravo, changed since its copy");
    Put(src / "sub" / "deeper" / "c.bin", std::string("\0\1\2\3", 4));
}

fs::path ScenarioFixture::Mirror(const fs::path& source) const {
    return syncTo / source.relative_path();
}

std::string ScenarioFixture::LastError() const {
    const std::string ini = ReadFileText(prog / "brannock.ini"), key = "\nLastErrorMsg=";
    const std::size_t at = ini.find(key);
    return at == std::string::npos
               ? ""
               : ini.substr(at + key.size(), ini.find('\n', at + 1) - at - key.size());
}

void ScenarioFixture::ExpectMirrored(const fs::path& folder,
                                     const std::vector<std::string>& names) const {
    for (const std::string& name : names) {
        const TreeEntry copy = Entry(Mirror(folder / name)), original = Entry(folder / name);
        EXPECT_EQ(copy.content, original.content) << name;
        EXPECT_TRUE(SameTimeAndSize(copy, original)) << name;
    }
}

bool ScenarioFixture::Run(const ScenarioSettings& s) {
    WriteSettings(prog / "brannock.ini", syncTo, s);
    const std::vector<fs::path> kept = {syncTo, prog / "brannock.ini", prog / "brannock"};
    const TreeSnapshot outsideBefore = Snapshot(root.path(), kept);

    const fs::path log = logs.path() / "output.txt";
    const pid_t pid = StartProgram(prog, log, s.priorityRefused);
    const bool ready =
        s.priorityRefused || WaitUntil([this] { return fs::exists(Mirror(marker)); }, 30000);
    const bool idle = WaitUntilIdle(pid);
    const bool ended = EndWith(pid, SIGTERM);
    EXPECT_TRUE(ready && idle && ended) << "ready " << ready << ", idle " << idle
                                        << ", ended promptly on SIGTERM " << ended << "; output:\n"
                                        << ReadFileText(log);

    EXPECT_EQ(Differences(outsideBefore, Snapshot(root.path(), kept)), "") << "outside the mirror";
    ExpectUpToDateCopiesIdentical(syncTo);
    return ready && idle && ended;
}

void ScenarioFixture::ExpectSecondRunChangesNothing(const ScenarioSettings& settings) {
    const TreeSnapshot mirrored = Snapshot(syncTo);
    ASSERT_TRUE(Run(settings));
    EXPECT_EQ(Differences(mirrored, Snapshot(syncTo)), "") << "a second cycle changed the mirror";
}
