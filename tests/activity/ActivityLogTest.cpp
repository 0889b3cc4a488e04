// The activity log's writer on real folders: one line per event whatever the text holds, the
// rotation past 1 MiB, and a log that cannot be written giving up until told to retry.
#include <gtest/gtest.h>

#include "activity/ActivityLog.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

TEST(ActivityLogText, OneLineEscapesWhatCouldBreakOrGarbleALine) {
    const std::pair<std::string, std::string> rows[] = {
        {"a\nb\r\nc\td" + std::string("\0\x1b\x7f", 3), "a<LF>b<CR><LF>c<TAB>d<x00><x1B><x7F>"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        // A lone continuation byte, an overlong slash, a surrogate, past U+10FFFF, a cut end.
        {"\x80|\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80|\xE2\x82",
         "<x80>|<xC0><xAF>|<xED><xA0><x80>|<xF4><x90><x80><x80>|<xE2><x82>"},
    };
    for (const auto& [in, out] : rows)
        EXPECT_EQ(activity::OneLine(in), out);
    EXPECT_EQ(activity::EventLine(runtime::MakeDate({2026, 12, 7, 9, 5, 3}), "copied", "x\ny"),
              "2026-12-07 09:05:03 copied x<LF>y");
}

class ActivityLogFile : public ::testing::Test {
  protected:
    std::string Read(const std::string& suffix = {}) const {
        return ReadFileText(file.string() + suffix);
    }
    TempDir tmp;
    fs::path file = tmp.path() / "brannock.log";
    activity::ActivityLog log;
};

// A new writer (the next start) goes on after what is there, after mending a line a kill cut
// short, and counts it towards the rotation, which replaces the older log.
TEST_F(ActivityLogFile, PastOneMebibyteTheLogMovesToDotOneReplacingTheOlder) {
    WriteFile(file, "cut sho");
    log.SetPath(Narrow(file));
    const std::string line(999, 'x');  // 1000 bytes with its line feed
    for (int i = 0; i < 1048; ++i)
        log.Write(line);
    EXPECT_EQ(Read().substr(0, 10), "cut sho\nxx");  // read while the writer holds the file
    EXPECT_FALSE(fs::exists(file.string() + ".1"));  // 1,048,008 bytes: 568 short of 1 MiB
    log.Write("first" + line);
    EXPECT_EQ(fs::file_size(file.string() + ".1"), 1'048'008u);
    EXPECT_EQ(Read(), "first" + line + "\n");

    // The next writer, while the first still holds the file, as a viewer may: some systems
    // rename no file that is open.
    activity::ActivityLog next;
    next.SetPath(Narrow(file));
    for (int i = 0; i < 1048; ++i)
        next.Write(line);
    EXPECT_EQ(Read(".1").substr(0, 5) + std::to_string(fs::file_size(file)), "first1000");
    EXPECT_FALSE(next.Failed());
}

TEST_F(ActivityLogFile, AFailureStopsTheLogUntilRetried) {
    file = tmp.path() / "not yet" / "brannock.log";
    log.SetPath(Narrow(file));
    log.Write("lost");
    EXPECT_TRUE(log.Failed());
    fs::create_directory(file.parent_path());
    log.Write("not tried again line by line");
    EXPECT_FALSE(fs::exists(file));
    log.Retry();
    log.Write("tried again");
    EXPECT_EQ(Read(), "tried again\n");
}

}  // namespace
