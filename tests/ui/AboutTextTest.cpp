// The About box's texts, built by the form for both shells: the shells' tests only compare
// what their boxes show with these.
#include <gtest/gtest.h>

#include "ui/headless/HeadlessAbout.h"

namespace {

TEST(AboutText, CaptionDescriptionAndAnOwnerLineAboveTheDisclaimer) {
    HeadlessAbout model;
    model.form.Form_Load();
    EXPECT_EQ(model.window.caption, "About Brannock");
    EXPECT_EQ(model.lblDescription.caption,
              "Brannock v1.0.2\nSycronization of files from filesets to a directory");
    const std::string& disclaimer = model.lblDisclaimer.caption;
    const auto blank = disclaimer.find("\n\n");
    ASSERT_NE(blank, std::string::npos);
    EXPECT_GT(blank, 0u);  // an owner line comes first
    EXPECT_TRUE(disclaimer.substr(blank + 2).starts_with(
        "This software is packaged with no guarantee or warranty.  The use or misuse by the user "
        "is the sole responsibility of said user.  "));
    EXPECT_NE(disclaimer.find("future upgrades"), std::string::npos);
}

}  // namespace
