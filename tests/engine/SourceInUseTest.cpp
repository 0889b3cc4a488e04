// A source file that another program writes while a cycle copies it, on real folders: the walk
// goes on, the activity log says so, and the next cycle takes the copy again, which ends equal
// to the source once the writer has stopped.
#include "activity/Events.h"
#include "tests/engine/FormFixture.h"
#include "tests/support/BusyWriter.h"

using SourceInUse = FormFixture;

TEST_F(SourceInUse, AFileWrittenWhileCopiedIsCopiedAgainByTheNextCycle) {
    constexpr std::int64_t kSize = 3'000'000;
    const std::string block(65536, 'w');
    const BusyWriter::Step writers[] = {
        [&](std::fstream& out) {  // a log file growing at its end
            out.seekp(0, std::ios::end);
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
        },
        [&](std::fstream& out) {  // a database rewriting its pages in place
            for (std::int64_t at = 0; at < kSize; at += 65536) {
                out.seekp(at);
                const auto length = std::min<std::int64_t>(65536, kSize - at);
                out.write(block.data(), static_cast<std::streamsize>(length));
            }
        },
    };
    form.Log.SetPath(tmp.str("brannock.log"));
    AddFileset(Src());
    long cycle = 0;
    for (const auto& step : writers) {
        SCOPED_TRACE(++cycle);
        fs::remove_all(Src());
        WriteFile(Src("a.txt"), "a");
        WriteFileOfSize(Src("big.bin"), kSize);
        SetWriteTime(Src("big.bin"), 946728000);
        WriteFile(Src("z.txt"), "z");
        BusyWriter writer(Narrow(Src("big.bin")), step);
        desktop().WhenDoEvents([this] { return Status() == "Copying file big.bin"; },
                               [&writer] { writer.Start(); });
        ASSERT_TRUE(form.RunSyncCycle()) << LastError();
        writer.Stop();
        EXPECT_EQ(LastError(), "");
        EXPECT_EQ(ReadFileText(Mirror(Src("a.txt"))) + ReadFileText(Mirror(Src("z.txt"))), "az");
        EXPECT_EQ(static_cast<std::int64_t>(fs::file_size(Mirror(Src("big.bin")))), kSize);
        EXPECT_EQ(Count(LogText(), " " + std::string(activity::event::kChanged) + " " +
                                       Narrow(Src("big.bin"))),
                  cycle);

        ASSERT_TRUE(form.RunSyncCycle()) << LastError();
        EXPECT_EQ(ReadFileText(Mirror(Src("big.bin"))), ReadFileText(Src("big.bin")));
        EXPECT_EQ(WriteTimeSeconds(Mirror(Src("big.bin"))), WriteTimeSeconds(Src("big.bin")));
    }
    EXPECT_EQ(Count(LogText(), " failed "), 0);
}
