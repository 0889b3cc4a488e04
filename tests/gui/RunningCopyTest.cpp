// The claim on a settings file, in one process: a request to the copy holding it shows its
// window, and a claim given up frees its file. (That a second start on the same file goes and
// one on another runs beside is checked on the built program.)
#include <future>

#include "tests/gui/GuiFixture.h"
#include "ui/qt/RunningCopy.h"

namespace {

using RunningCopyTest = GuiFixture;

TEST_F(RunningCopyTest, ARequestShowsTheHoldersWindowAndAClaimGivenUpFreesItsFile) {
    StartAndLoad("[Options]\nAbout=No\n");
    form().btnClose_Click();  // saved and hidden
    ASSERT_FALSE(window().isVisible());
    const std::string settings = form().SettingsFilePath();

    auto first = std::make_unique<brannock_qt::RunningCopy>();
    ASSERT_TRUE(first->Claim(settings));
    first->OnShowRequest([this] { form().mnu_PopupProperties_Click(); });
    // The asking side blocks, as a second program does: it runs beside this event loop.
    auto asked = std::async(std::launch::async,
                            [settings] { return brannock_qt::RunningCopy::AskToShow(settings); });
    EXPECT_TRUE(WaitFor(
        [&] { return asked.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        10000));
    EXPECT_TRUE(asked.get() && window().isVisible());

    first.reset();
    EXPECT_FALSE(brannock_qt::RunningCopy::AskToShow(settings, 500));
    brannock_qt::RunningCopy next;
    EXPECT_TRUE(next.Claim(settings));
}

}  // namespace
