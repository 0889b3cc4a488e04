// Pipes, sockets and device nodes among ordinary files, on real folders: a cycle passes over
// them without opening one, in the sources and in the mirror, and mirrors everything else.
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstring>

#include "activity/Events.h"
#include "tests/engine/FormFixture.h"
#include "tests/support/WaitingWriter.h"

using SpecialFiles = FormFixture;

TEST_F(SpecialFiles, ACyclePassesOverThemWithoutOpeningOneAndMirrorsEverythingElse) {
    form.DeleteOrphans = true;
    form.Log.SetPath(tmp.str("brannock.log"));
    const char* const files[] = {"a.txt", "m.txt", "z.txt", "sub/b.txt", "sub/y.txt"};
    for (const char* name : files)
        WriteFile(Src(name), name);
    // A source that was a file when it was copied and is now a pipe: its copy stays.
    WriteFile(Src("was-a-file"), "old");
    AddFileset(Src());
    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    fs::remove(Src("was-a-file"));

    WaitingWriter sourcePipe(Src("sub/pipe"));
    WaitingWriter nowAPipe(Src("was-a-file"));
    // A socket, and a device node with /dev/null's numbers: reading it would read the device.
    for (const auto& [name, mode, device] :
         {std::tuple{"socket", S_IFSOCK, dev_t{0}}, {"null", S_IFCHR, ::makedev(1, 3)}})
        ASSERT_EQ(::mknod(Src(name).c_str(), mode | 0600, device), 0)
            << "making a device node takes root: " << std::strerror(errno);
    fs::create_symlink("sub/pipe", Src("link-to-pipe"));
    // In the mirror, a pipe whose source is gone is neither opened nor deleted.
    WaitingWriter mirrorPipe(Mirror(Src("orphan-pipe")));
    for (const char* name : files)
        WriteFile(Src(name), std::string(name) + " again");  // sizes differ: copied again

    ASSERT_TRUE(form.RunSyncCycle()) << LastError();
    EXPECT_EQ(LastError(), "");
    for (const char* name : files)
        EXPECT_EQ(ReadFileText(Mirror(Src(name))), std::string(name) + " again") << name;
    EXPECT_FALSE(sourcePipe.Released() || nowAPipe.Released() || mirrorPipe.Released());
    EXPECT_EQ(ReadFileText(Mirror(Src("was-a-file"))), "old");
    EXPECT_TRUE(fs::is_fifo(Mirror(Src("orphan-pipe"))));
    for (const char* name : {"sub/pipe", "socket", "null", "link-to-pipe"})
        EXPECT_FALSE(fs::exists(fs::symlink_status(Mirror(Src(name))))) << name;

    const std::string log = LogText();
    EXPECT_EQ(Count(log, std::string(" ") + activity::event::kSkipped + " "), 6) << log;
    EXPECT_THAT(log, HasSubstr(Narrow(Src("sub/pipe")) + ": a pipe, socket or device"));
    EXPECT_EQ(form.Counts.skipped, 6);
}

#endif
