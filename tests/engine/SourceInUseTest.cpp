// A source file that another program rewrites in place while a cycle copies it, on real
// folders: the walk goes on, the activity log says so, and the next cycle takes the copy again,
// though its size is the source's, and it ends equal to the source once the writer has stopped.
// (How the copier tells, of a file that grows as well: clsFileIOTest.)
#include "activity/Events.h"
#include "tests/engine/FormFixture.h"
#include "tests/support/BusyWriter.h"

using SourceInUse = FormFixture;

TEST_F(SourceInUse, AFileWrittenWhileCopiedIsCopiedAgainByTheNextCycle) {
    constexpr std::int64_t kSize = 3'000'000;
    const std::string block(65536, 'w');
    form.Log.SetPath(tmp.str("brannock.log"));
    AddFileset(Src());
    WriteFile(Src("a.txt"), "a");
    WriteFileOfSize(Src("big.bin"), kSize);
    SetWriteTime(Src("big.bin"), 946728000);
    WriteFile(Src("z.txt"), "z");
    BusyWriter writer(Narrow(Src("big.bin")), [&](std::fstream& out) {  // a database's pages
        for (std::int64_t at = 0; at < kSize; at += 65536) {
            out.seekp(at);
            const auto length = std::min<std::int64_t>(65536, kSize - at);
            out.write(block.data(), static_cast<std::streamsize>(length));
        }
    });
    desktop().WhenDoEvents([this] { return Status() == "Copying file big.bin"; },
                           [&writer] { writer.Start(); });
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    writer.Stop();
    EXPECT_EQ(LastError(), "");
    EXPECT_EQ(ReadFileText(Mirror(Src("a.txt"))) + ReadFileText(Mirror(Src("z.txt"))), "az");
    EXPECT_EQ(static_cast<std::int64_t>(fs::file_size(Mirror(Src("big.bin")))), kSize);
    EXPECT_THAT(LogText(), HasSubstr(" " + std::string(activity::event::kChanged) + " " +
                                     Narrow(Src("big.bin")) + " changed while it was copied"));

    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    EXPECT_EQ(ReadFileText(Mirror(Src("big.bin"))), ReadFileText(Src("big.bin")));
    EXPECT_EQ(WriteTimeSeconds(Mirror(Src("big.bin"))), WriteTimeSeconds(Src("big.bin")));
}
