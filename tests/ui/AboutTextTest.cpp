// The About box's texts, built by the form for both shells: the shells' tests only compare
// what their boxes show with these. An address shows under its caption; without one, both of
// its lines are left out.
#include <gtest/gtest.h>

#include "ui/headless/HeadlessAbout.h"

namespace {

TEST(AboutText, CaptionsAnOwnerLineAboveTheDisclaimerAndOnlyTheLinksGiven) {
    HeadlessAbout given({"https://brannock.example.org/", "team@example.org"});
    given.form.Form_Load();
    EXPECT_EQ(given.window.caption + "|" + given.lblDescription.caption + "|" + given.Url1.caption +
                  "|" + given.Url1.target + "|" + given.Url2.caption + "|" + given.Url2.target,
              "About Brannock|Brannock v1.0.2\nSycronization of files from filesets to a directory|"
              "https://brannock.example.org/|https://brannock.example.org/|team@example.org|"
              "mailto:team@example.org");
    const std::string& disclaimer = given.lblDisclaimer.caption;
    const auto blank = disclaimer.find("\n\n");
    EXPECT_TRUE(blank != std::string::npos && blank > 0 &&  // an owner line comes first
                disclaimer.substr(blank + 2).starts_with(
                    "This software is packaged with no guarantee or warranty.  The use or misuse "
                    "by the user is the sole responsibility of said user.  "))
        << disclaimer;
    EXPECT_FALSE(given.Label1.caption.empty() || given.lblEmail.caption.empty());

    HeadlessAbout none({"", ""});
    none.form.Form_Load();
    EXPECT_EQ(none.Label1.caption + none.Url1.caption + none.Url1.target + none.lblEmail.caption +
                  none.Url2.caption + none.Url2.target,
              "");
}

}  // namespace
