#include "tests/scenario/ScenarioFixture.h"

#include <signal.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

void Put(const fs::path& file, const std::string& content, std::int64_t seconds) {
    WriteFile(file, content);
    SetWriteTime(file, seconds, 0);
}

void PutCopy(const fs::path& source, const fs::path& copy) {
    fs::create_directories(copy.parent_path());
    fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
    fs::last_write_time(copy, fs::last_write_time(source));
}

ScenarioFixture::ScenarioFixture()
    : prog(root.path() / "prog"),
      syncTo(root.path() / "dest"),
      src(root.path() / "src"),
      marker(root.path() / "marker" / "last.txt") {
    fs::create_directories(prog);
    fs::create_directories(syncTo);
    Put(marker, "the last fileset");
}

ScenarioSettings ScenarioFixture::WithDelete(std::vector<std::string> filesets) const {
    ScenarioSettings s;
    s.deleteOrphans = true;
    s.filesets = std::move(filesets);
    s.filesets.push_back(FilesetOf(marker.parent_path()));
    return s;
}

fs::path ScenarioFixture::Mirror(const fs::path& source) const {
    return syncTo / source.relative_path();
}

std::string ScenarioFixture::FilesetOf(const fs::path& folder) {
    return (folder / "*.*").native();
}

std::string ScenarioFixture::LastError() const {
    std::ifstream in(prog / "brannock.ini", std::ios::binary);
    const std::string key = "LastErrorMsg=";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key, 0) == 0)
            return line.substr(key.size());
    }
    return {};
}

bool ScenarioFixture::WaitFor(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void ScenarioFixture::WriteSettings(const ScenarioSettings& s) {
    std::ofstream ini(prog / "brannock.ini", std::ios::binary | std::ios::trunc);
    ini << "[Options]\nSyncOn=" << (s.syncOn ? "Yes" : "No") << "\nSyncTo=" << syncTo.native()
        << "\nWakeup=30\nDelete=" << (s.deleteOrphans ? "Yes" : "No") << "\n";
    if (s.savedBefore)
        ini << "About=No\n";
    ini << "[FileSets]\n";
    for (std::size_t i = 0; i < s.filesets.size(); ++i)
        ini << "FileSet" << i + 1 << "=" << s.filesets[i] << "\n";
}

std::vector<fs::path> ScenarioFixture::SourceFolders(const ScenarioSettings& s) const {
    std::vector<fs::path> folders;
    for (const std::string& entry : s.filesets)
        folders.push_back(fs::path(entry).parent_path());
    return folders;
}

TreeSnapshot ScenarioFixture::Outside() const {
    return Snapshot(Root(), {syncTo, prog / "brannock.ini"});
}

std::vector<TreeSnapshot> ScenarioFixture::Sources(const std::vector<fs::path>& folders) const {
    std::vector<TreeSnapshot> trees;
    for (const fs::path& folder : folders)
        trees.push_back(fs::is_directory(folder) ? Snapshot(folder, {syncTo}) : TreeSnapshot{});
    return trees;
}

// A mirror file that the program takes as up to date is never copied again: it must be the
// very content of its source.
void ScenarioFixture::ExpectUpToDateCopiesIdentical() const {
    if (!fs::is_directory(syncTo))
        return;
    for (const auto& [path, copy] : Snapshot(syncTo)) {
        if (copy.kind != 'f')
            continue;
        const fs::path source = "/" / path;
        const TreeEntry original = Entry(source);
        if (original.kind == 'f' && SameTimeAndSize(copy, original)) {
            EXPECT_EQ(copy.content, original.content) << "stale copy of " << source;
        }
    }
}

bool ScenarioFixture::Run(const ScenarioSettings& settings, std::function<bool()> ready,
                          ProgramRun::Options options) {
    if (!settings.syncTo.empty())
        syncTo = settings.syncTo;
    WriteSettings(settings);
    const fs::path exe = CopyProgramTo(prog);
    const std::vector<fs::path> folders = SourceFolders(settings);
    const TreeSnapshot outsideBefore = Outside();
    const std::vector<TreeSnapshot> sourcesBefore = Sources(folders);

    ProgramRun program(exe, logs.path() / "output.txt", options);
    const bool wasReady = !ready || WaitFor(ready);
    const bool idle = program.WaitUntilIdle();
    const bool ended = program.EndWith(SIGTERM);
    EXPECT_TRUE(wasReady) << "never ready; output:\n" << program.Output();
    EXPECT_TRUE(idle) << "never idle; output:\n" << program.Output();
    EXPECT_TRUE(ended) << "did not end promptly on SIGTERM; output:\n" << program.Output();

    EXPECT_EQ(Differences(outsideBefore, Outside()), "") << "outside the mirror";
    const std::vector<TreeSnapshot> sourcesAfter = Sources(folders);
    for (std::size_t i = 0; i < folders.size(); ++i)
        EXPECT_EQ(Differences(sourcesBefore[i], sourcesAfter[i]), "") << "in " << folders[i];
    ExpectUpToDateCopiesIdentical();
    return wasReady && idle && ended;
}
