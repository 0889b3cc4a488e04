#include "tests/engine/FormFixture.h"

namespace {

using ErrorRecord = FormFixture;

// The count goes up only for the very text recorded last. File names reach the record, and
// POSIX names may hold line breaks: the file keeps its three lines, and the count, under the key
// other tools and older versions read, still reaches the limit.
TEST_F(ErrorRecord, CountsOnlyTheSameTextInARowAndLineBreaksAddNoLines) {
    auto countAfter = [&](const std::string& text, int times) {
        for (int i = 0; i < times; ++i)
            form.RecordError(text);
        return form.ReadErrorCount();
    };
    EXPECT_EQ(countAfter("Unable to delete file y", 2), 2);
    EXPECT_EQ(countAfter("Unable to delete file Y", 1), 1);
    // Read back cut to 255 characters, this never compares equal.
    EXPECT_EQ(countAfter(std::string(256, 'e'), 3), 1);
    EXPECT_EQ(countAfter(std::string(255, 'f'), 2), 2);
    for (const auto& [text, saved] :
         {std::pair{"Copying file x\nLastErrorCnt=1\r\n[Options]\nSyncOn=Yes: failed",
                    "Copying file x\\nLastErrorCnt=1\\r\\n[Options]\\nSyncOn=Yes: failed"},
          {"Copying file x\rLastErrorCnt=1: failed", "Copying file x\\rLastErrorCnt=1: failed"}}) {
        EXPECT_EQ(countAfter(text, 5), 5);
        std::string file = ReadFileText(tmp.path() / "brannock.ini");
        std::erase(file, '\r');
        EXPECT_EQ(file, "[Error]\nLastErrorMsg=" + std::string(saved) + "\nLastErrorCnt=5\n");
    }
}

}  // namespace
