#include <gtest/gtest.h>

#include "fileio/modWin32.h"
#include "tests/support/TempDir.h"
#include "ui/headless/HeadlessForm.h"

namespace {

TEST(ErrorRecord, CountsOnlyTheSameTextInARow) {
    TempDir tmp;
    HeadlessForm headless(tmp.str("brannock"));
    frmMain& form = headless.form;
    form.IniFile = tmp.str("brannock.ini");
    auto countAfter = [&](const std::string& text, int times) {
        for (int i = 0; i < times; ++i)
            form.RecordError(text);
        return form.ReadErrorCount();
    };
    EXPECT_EQ(form.ReadErrorCount(), 0);
    EXPECT_EQ(countAfter("Unable to delete file x", 5), 5);
    EXPECT_EQ(form.ReadErrorMessage(), "Unable to delete file x");
    std::string stored;  // the key other tools and older versions read
    ReadIniString("Error", "LastErrorCnt", "", stored, form.IniFile);
    EXPECT_EQ(stored, "5");
    EXPECT_EQ(countAfter("Unable to delete file y", 1), 1);
    EXPECT_EQ(countAfter("Unable to delete file Y", 1), 1);
    // Read back cut to 255 characters and without trailing spaces, these never compare equal.
    EXPECT_EQ(countAfter(std::string(256, 'e'), 3), 1);
    EXPECT_EQ(countAfter("ends in a space ", 3), 1);
    EXPECT_EQ(countAfter(std::string(255, 'e'), 2), 2);
}

}  // namespace
