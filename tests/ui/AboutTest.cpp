#include <gtest/gtest.h>

#include <string>

#include "ui/headless/HeadlessAbout.h"

namespace {

struct Texts {
    std::string caption, description, webCaption, web, webTarget, mailCaption, mail, mailTarget,
        disclaimer;
    bool operator==(const Texts&) const = default;
};

Texts Shown(const HeadlessAbout& about) {
    return {about.window.caption,       about.lblDescription.caption,
            about.Label1.caption,       about.Url1.caption,
            about.Url1.target,          about.lblEmail.caption,
            about.Url2.caption,         about.Url2.target,
            about.lblDisclaimer.caption};
}

TEST(About, BuildsItsTextsAndTheSameAgainOnEveryLoad) {
    HeadlessAbout about;
    about.form.Form_Load();
    const Texts first = Shown(about);
    EXPECT_EQ(first.caption, "About Brannock");
    EXPECT_EQ(first.description,
              "Brannock v1.0.2\nSycronization of files from filesets to a directory");

    const auto blank = first.disclaimer.find("\n\n");
    ASSERT_NE(blank, std::string::npos);
    EXPECT_GT(blank, 0u);  // an owner line comes first
    const std::string body = first.disclaimer.substr(blank + 2);
    EXPECT_EQ(body.rfind("This software is packaged with no guarantee or warranty.  The use or "
                         "misuse by the user is the sole responsibility of said user.  ",
                         0),
              0u);
    EXPECT_NE(body.find("future upgrades"), std::string::npos);

    about.form.Form_Load();
    EXPECT_EQ(Shown(about), first);
    HeadlessAbout again;
    again.form.Form_Load();
    EXPECT_EQ(Shown(again), first);
}

TEST(About, LinksOpenTheirAddressOrAdmitThatThereIsNone) {
    HeadlessAbout about;
    about.form.Form_Load();
    if (about.Url1.target.empty())
        EXPECT_EQ(about.Url1.caption, "(not set for this build)");
    else
        EXPECT_EQ(about.Url1.target, about.Url1.caption);
    if (about.Url2.target.empty())
        EXPECT_EQ(about.Url2.caption, "(not set for this build)");
    else
        EXPECT_EQ(about.Url2.target, "mailto:" + about.Url2.caption);
    EXPECT_FALSE(about.Label1.caption.empty() || about.lblEmail.caption.empty());
}

}  // namespace
