#include <ctime>

#include "activity/Events.h"
#include "runtime/DateValue.h"
#include "tests/engine/FormFixture.h"
#include "tests/support/BusyWriter.h"
#include "tests/support/DeepFolder.h"
#include "tests/support/FileTimes.h"

namespace {

constexpr std::int64_t kTime = 1700000000;  // seconds since 1970

class CopyPass : public FormFixture {
  protected:
    std::string Copy(const std::string& name) { return ReadFileText(Mirror(Src(name))); }
    bool Sync() { return form.SyncTree(Pattern(Src())); }
};

TEST_F(CopyPass, CopiesWhatDiffersInWholeSecondsOrSize) {
    // Each source beside an existing copy with content and write time of its own.
    for (const auto& [name, sourceNanos, copy, copySeconds, copyNanos] :
         {std::tuple{"millis.txt", 100'000'000, "BBBB", 0, 900'000'000},
          {"second.txt", 0, "BBBB", 1, 0},
          {"size.txt", 0, "BBB", 0, 0}}) {
        WriteFile(Src(name), "AAAA");
        SetWriteTime(Src(name), kTime, sourceNanos);
        WriteFile(Mirror(Src(name)), copy);
        SetWriteTime(Mirror(Src(name)), kTime + copySeconds, copyNanos);
    }
    WriteFile(Src(".hidden/new.txt"), "NEW");
#ifndef _WIN32
    // A link to a file is copied as the file; a link to a folder is never entered.
    WriteFile(tmp.path() / "outside.txt", "content");
    fs::create_symlink(tmp.path() / "outside.txt", Src("file-link"));
    fs::create_directory_symlink(Src(), Src("loop"));
#endif

    EXPECT_TRUE(Sync());
    EXPECT_EQ(Copy("millis.txt"), "BBBB");  // the same second
    EXPECT_EQ(Copy("second.txt") + Copy("size.txt") + Copy(".hidden/new.txt"), "AAAAAAAANEW");
    EXPECT_EQ(LastError(), "");
#ifndef _WIN32
    EXPECT_EQ(Copy("file-link"), "content");
    EXPECT_FALSE(fs::exists(Mirror(Src("loop"))));
#endif
    // The copies carry the source's times, so the next pass copies nothing; it still lets
    // window events run after every file, so a Stop Sync is seen there.
    std::string status;
    form_.desktop.AtDoEvents(1, [&] {
        status = Status();
        form.SyncOn = false;
    });
    EXPECT_FALSE(Sync());
    EXPECT_EQ(status, "Synchronizing...");
}

// Alike in their low 32 bits only, either way round: the copy is due. The large source's copy
// starts, to be cancelled at its first block.
TEST_F(CopyPass, ComparesFilesBeyondFourGibibytesByFullSize) {
    constexpr std::int64_t kLarge = (std::int64_t{1} << 32) + 10;
    auto pair = [&](std::int64_t sourceSize, std::int64_t copySize) {
        for (const auto& [file, size] :
             {std::pair{Src("big.bin"), sourceSize}, {Mirror(Src("big.bin")), copySize}}) {
            WriteFile(file, "");
            fs::resize_file(file, size);  // sparse
            SetWriteTime(file, kTime);
        }
    };
    pair(10, kLarge);
    EXPECT_TRUE(Sync());
    EXPECT_EQ(fs::file_size(Mirror(Src("big.bin"))), 10u);
    pair(kLarge, 10);
    form_.desktop.WhenDoEvents([] { return true; }, [&] { form.SyncOn = false; });
    EXPECT_FALSE(Sync());
    EXPECT_TRUE(LastError().ends_with(": Copy cancelled")) << LastError();
}

TEST_F(CopyPass, CutoffAndMissingSyncTo) {
    WriteFile(Src("a.txt"), "A");
    SetWriteTime(Src("a.txt"), kTime);
    const std::int64_t fileSeconds =
        runtime::ToSeconds(form.FileTimeToDate(FileTimeOf(TicksOf(kTime))));
    auto copiedWithCutoff = [&](std::int64_t seconds) {
        auto text = runtime::FormatMonthFirst(runtime::SplitDate(runtime::FromSeconds(seconds)));
        WriteIniString("Options", "SyncDateTime", text, form.IniFile);
        fs::remove(Mirror(Src("a.txt")));
        EXPECT_TRUE(Sync());
        return fs::exists(Mirror(Src("a.txt")));
    };
#ifndef _WIN32
    // File times are local times, in the offset in force at that time; ctest runs these cases
    // a second time in a zone with daylight saving. Windows applies today's offset instead.
    for (const std::int64_t seconds : {kTime, kTime - 10'000'000}) {
        const std::time_t t = seconds;
        const std::tm local = *std::localtime(&t);
        EXPECT_EQ(form.FileTimeToDate(FileTimeOf(TicksOf(seconds))),
                  runtime::MakeDate({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                     local.tm_hour, local.tm_min, local.tm_sec}));
    }
#endif
    form.UseCutoff = true;
    EXPECT_TRUE(Sync() && fs::exists(Mirror(Src("a.txt"))));  // no cut-off stored
    EXPECT_FALSE(copiedWithCutoff(fileSeconds + 1));
    EXPECT_TRUE(copiedWithCutoff(fileSeconds));

    // Without a Sync To directory only a file that passed the cut-off is an error, and a cycle
    // starts no cleanup: the empty text would name the root of the drive.
    form_.txtSyncTo.text = "";
    EXPECT_FALSE(copiedWithCutoff(fileSeconds + 1));
    form.UseCutoff = false;
    EXPECT_FALSE(Sync());
    EXPECT_EQ(LastError(), "No Sync To path set");
    form.DeleteOrphans = true;
    const auto writes = form_.status().writes;
    EXPECT_FALSE(form.RunSyncCycle());
    EXPECT_EQ(form_.status().writes, writes + 1);  // "Sleeping..." only: nothing was walked
    form.SyncOn = false;                           // and nothing at all when off
    EXPECT_FALSE(form.RunSyncCycle());
    EXPECT_EQ(Status() + "|" + form_.SysTray1.tip.substr(0, 10), "Disabled|Sync Ready");
}

// The failure's text runs far past the 255 characters the error record reads back, with paths
// that even a program without long-path support reaches: the activity log has all of it.
TEST_F(CopyPass, FailureDeepInTheTreeEndsTheWalkAndClosesEveryLevel) {
    form.Log.SetPath(tmp.str("brannock.log"));
    fs::path deep = Src();
    for (char level : std::string("abcde")) {
        WriteFile(deep / "sibling.txt", "s");
        deep /= std::string(16, level);
    }
    const fs::path bad = deep / "f" / "bad.txt";
    WriteFile(bad, "x");
    WriteFile(Mirror(deep), "a file where the copy's folder belongs");
    const int openBefore = OpenDescriptors();
    EXPECT_FALSE(Sync());
    const std::string log = LogText();
    form.Log.SetPath("");  // closed: it stays open from its first line
    EXPECT_EQ(OpenDescriptors(), openBefore);
    const std::string failure =
        "Copying file " + Narrow(bad) + " to " + Narrow(Mirror(bad)) + ": " + form.f.ErrMsg();
    EXPECT_EQ(LastError(), failure.substr(0, 255));
    EXPECT_THAT(log, HasSubstr(" failed " + failure + "\n"));
    EXPECT_TRUE(form.Counts.failedFiles == 1 && form.Counts.failedFolders == 1);
    EXPECT_EQ(Status(), "Copying file bad.txt");  // no entry was looked at afterwards
    EXPECT_FALSE(form_.pgrStatus.visible);
}

// A source file that another program rewrites in place while a cycle copies it: the walk goes
// on, the activity log says so, and the next cycle takes the copy again, though its size is the
// source's, and it ends equal to the source once the writer has stopped. (How the copier tells,
// of a file that grows as well: clsFileIOTest.)
TEST_F(CopyPass, ASourceWrittenWhileCopiedIsCopiedAgainByTheNextCycle) {
    constexpr std::int64_t kSize = 3'000'000;
    const std::string block(65536, 'w');
    form.Log.SetPath(tmp.str("brannock.log"));
    AddFileset(Src());
    WriteFile(Src("a.txt"), "a");
    WriteFile(Src("z.txt"), "z");
    BusyWriter pages(Narrow(Src("pages.bin")), [&](std::fstream& out) {  // a database's pages
        for (std::int64_t at = 0; at < kSize; at += 65536) {
            out.seekp(at);
            const auto length = std::min<std::int64_t>(65536, kSize - at);
            out.write(block.data(), static_cast<std::streamsize>(length));
        }
    });
    BusyWriter grows(Narrow(Src("grows.bin")), [&](std::fstream& out) {  // a log's new lines
        out.seekp(0, std::ios::end);
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    });
    for (auto [name, writer] : {std::pair{"pages.bin", &pages}, {"grows.bin", &grows}}) {
        WriteFileOfSize(Src(name), kSize);
        SetWriteTime(Src(name), 946728000);
        desktop().WhenDoEvents(
            [this, name] { return Status() == "Copying file " + std::string(name); },
            [writer] { writer->Start(); });
    }
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    pages.Stop();
    grows.Stop();
    EXPECT_EQ(LastError(), "");
    EXPECT_EQ(Copy("a.txt") + Copy("z.txt"), "az");
    for (const char* name : {"pages.bin", "grows.bin"}) {
        EXPECT_EQ(static_cast<std::int64_t>(fs::file_size(Mirror(Src(name)))), kSize);
        EXPECT_THAT(LogText(), HasSubstr(" " + std::string(activity::event::kChanged) + " " +
                                         Narrow(Src(name)) + " changed while it was copied"));
    }
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    for (const char* name : {"pages.bin", "grows.bin"}) {
        EXPECT_EQ(Copy(name), ReadFileText(Src(name)));
        EXPECT_EQ(WriteTimeSeconds(Mirror(Src(name))), WriteTimeSeconds(Src(name)));
    }
}

// A source tree deeper than the system's path limit is mirrored and cleaned up like any other.
using DeepTree = FormFixture;

TEST_F(DeepTree, IsMirroredAndCleanedUpPastTheSystemLimit) {
    const DeepFolder deep(tmp, Narrow(Src()), 5000);
    ASSERT_GT(deep.path().size(), 2500u);
    DeepFolder::Write(deep.path() + kSep + "file.txt", "deep content");
    AddFileset(Src());
    form.DeleteOrphans = true;
    const std::string mirror = pathmap::DestinationFolder(SyncTo(), deep.path());
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    DeepFolder::Write(mirror + kSep + "orphan.txt", "o");
    // The copy made read-only, with the source's time: found up to date it is left alone,
    // taken for missing it would be copied again, which fails.
    const std::string copy = mirror + kSep + "file.txt";
    WIN32_FILE_ATTRIBUTE_DATA source{};
    ASSERT_TRUE(LookUpPath(deep.path() + kSep + "file.txt", source));
    DeleteFileA(copy.c_str());
    HANDLE h = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_READONLY, nullptr);
    DWORD written = 0;
    WriteFile(h, "deep content", 12, &written, nullptr);
    SetFileTime(h, nullptr, nullptr, &source.ftLastWriteTime);
    CloseHandle(h);
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    // Copied by the first cycle, kept by the second's cleanup, which deletes the orphan.
    EXPECT_EQ(DeepFolder::SizeOf(mirror + kSep + "orphan.txt"), -1);
    EXPECT_EQ(DeepFolder::SizeOf(mirror + kSep + "file.txt"), 12);
}

}  // namespace
