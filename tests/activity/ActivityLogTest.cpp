// The activity log's writer on real folders: one line per event whatever the text holds, the
// rotation past 1 MiB, and a log that cannot be written giving up quietly until told to retry.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "activity/ActivityLog.h"
#include "activity/CycleSummary.h"
#include "tests/support/SmallVolume.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

TEST(ActivityLogText, OneLineEscapesWhatCouldBreakOrGarbleALine) {
    struct Row {
        std::string in, out;
    };
    const Row rows[] = {
        {"a\nb\r\nc\td", "a<LF>b<CR><LF>c<TAB>d"},
        {std::string("nul\0x", 5) + "\x1b\x7f", "nul<x00>x<x1B><x7F>"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        // A lone continuation byte, a cut sequence, an overlong slash, a surrogate, past U+10FFFF.
        {"\x80|\xC3|\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80",
         "<x80>|<xC3>|<xC0><xAF>|<xED><xA0><x80>|<xF4><x90><x80><x80>"},
        {"ends in \xE2\x82", "ends in <xE2><x82>"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(activity::OneLine(row.in), row.out) << row.out;
    runtime::DateValue when = 0;
    ASSERT_TRUE(runtime::TryMakeDate({2026, 12, 7, 9, 5, 3}, when));
    EXPECT_EQ(activity::EventLine(when, "copied", "x\ny"), "2026-12-07 09:05:03 copied x<LF>y");
    EXPECT_EQ(activity::EventLine(when, "end", ""), "2026-12-07 09:05:03 end");
}

TEST(ActivityLogText, SummariesSpellEveryCount) {
    activity::CycleCounts c;
    c.looked = 1200;
    c.copied = 12;
    c.copiedBytes = 3565158;
    c.deleted = 3;
    c.failedFiles = 1;
    c.cutoff = 5;
    c.unlisted = 1;
    EXPECT_EQ(activity::CycleSummary(c, 2149),
              "2.1 s: 1200 looked at, 12 copied (3.4 MB), 3 deleted, 1 file and 0 folders "
              "failed, 5 passed over by the cut-off date, 1 folder not listed");
    c.kept = 2;
    EXPECT_TRUE(activity::CycleSummary(c, 0).ends_with("not listed, 2 kept"));
    runtime::DateValue when = 0;
    ASSERT_TRUE(runtime::TryMakeDate({2026, 12, 7, 11, 2, 59}, when));
    EXPECT_EQ(activity::TraySummary(c, when), "Last cycle 11:02: 12 copied, 3 deleted, 1 failed");

    EXPECT_EQ(activity::ByteText(1) + "|" + activity::ByteText(1023) + "|" +
                  activity::ByteText(1024) + "|" + activity::ByteText(std::int64_t{5} << 30),
              "1 byte|1023 bytes|1.0 KB|5.0 GB");
    EXPECT_EQ(activity::DurationText(9999) + "|" + activity::DurationText(59'999) + "|" +
                  activity::DurationText(185'000) + "|" + activity::DurationText(7'440'000),
              "10.0 s|59 s|3 min 5 s|2 h 4 min");
}

class ActivityLogFile : public ::testing::Test {
  protected:
    std::string Read(const std::string& suffix = {}) const {
        return fs::exists(file.string() + suffix) ? ReadFileText(file.string() + suffix) : "";
    }
    TempDir tmp;
    fs::path file = tmp.path() / "brannock.log";
    activity::ActivityLog log;
};

TEST_F(ActivityLogFile, AppendsToWhatIsThereAndMendsALineCutShort) {
    WriteFile(file, "2026-12-07 11:00:00 copied half a li");  // killed while writing
    log.SetPath(Narrow(file));
    log.Write("one");
    log.Write("two");
    // Read while the writer still holds the file: each line is with the system at once.
    EXPECT_EQ(Read(), "2026-12-07 11:00:00 copied half a li\none\ntwo\n");
}

TEST_F(ActivityLogFile, PastOneMebibyteTheLogMovesToDotOneReplacingTheOlder) {
    log.SetPath(Narrow(file));
    const std::string line(999, 'x');  // 1000 bytes with its line feed
    for (int i = 0; i < 1048; ++i)
        log.Write(line);
    EXPECT_EQ(fs::file_size(file), 1'048'000u);  // 576 bytes short of 1 MiB
    EXPECT_FALSE(fs::exists(file.string() + ".1"));
    log.Write("first of the new" + line);
    EXPECT_EQ(fs::file_size(file.string() + ".1"), 1'048'000u);
    EXPECT_EQ(Read(), "first of the new" + line + "\n");

    // The next start's writer knows the size of what is there, and its rotation replaces the
    // older log.
    activity::ActivityLog next;
    next.SetPath(Narrow(file));
    for (int i = 0; i < 1047; ++i)
        next.Write(line);
    next.Write("last");  // 1016 + 1047 * 1000 + 5 bytes: still within
    EXPECT_TRUE(Read(".1").starts_with("xxx"));
    next.Write(line);
    EXPECT_EQ(fs::file_size(file.string() + ".1"), 1'048'021u);
    EXPECT_TRUE(Read(".1").starts_with("first of the new"));
    EXPECT_EQ(Read(), line + "\n");
    EXPECT_FALSE(next.Failed());
}

TEST_F(ActivityLogFile, AFailureStopsTheLogUntilRetried) {
    const fs::path folder = tmp.path() / "not yet";
    file = folder / "brannock.log";
    log.SetPath(Narrow(file));
    log.Write("lost");
    EXPECT_TRUE(log.Failed());
    fs::create_directory(folder);
    log.Write("not tried again line by line");
    EXPECT_FALSE(fs::exists(file));
    log.Retry();
    log.Write("tried again");
    EXPECT_EQ(Read(), "tried again\n");
    EXPECT_FALSE(log.Failed());
}

TEST_F(ActivityLogFile, AFullDiskStopsTheLogWithoutHarm) {
    SmallVolume volume(tmp.path() / "small");
    if (!volume.Mounted())
        GTEST_SKIP() << volume.Why();
    file = volume.path() / "brannock.log";
    log.SetPath(Narrow(file));
    const std::string line(4095, 'y');
    int written = 0;
    for (; written < 1000 && !log.Failed(); ++written)
        log.Write(line);
    EXPECT_TRUE(log.Failed());
    EXPECT_LT(written, 1000);
    const auto size = fs::file_size(file);
    log.Write("nothing more");
    EXPECT_EQ(fs::file_size(file), size);
}

}  // namespace
