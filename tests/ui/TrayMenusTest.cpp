#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/UiFixture.h"

namespace {

constexpr std::int16_t kLeft = 1;
constexpr std::int16_t kRight = 2;
constexpr std::int16_t kMiddle = 4;

class TrayMenus : public UiFixture {
  protected:
    void SwitchOn() {
        FillControls();
        form.ApplySyncState(true);
        ASSERT_TRUE(form.SyncOn);
    }
    // Opens the pop-up with a right click; `choose` runs while it is open.
    void RightClick(std::function<void()> choose = {}) {
        desktop.onPopup = std::move(choose);
        form.SysTray1_MouseEvent(kRight, 0);
    }
};

TEST_F(TrayMenus, OpeningThePopupSetsTheDisabledCheckFromTheState) {
    std::vector<bool> checkWhenShown;
    auto record = [&] { checkWhenShown.push_back(ui.mnu_PopupDisabled.checked); };

    ui.mnu_PopupDisabled.checked = false;
    RightClick(record);  // off
    SwitchOn();
    RightClick(record);  // on: the check left from the last opening must go
    EXPECT_EQ(checkWhenShown, (std::vector<bool>{true, false}));
    EXPECT_EQ(desktop.popupShown, 2);
    EXPECT_EQ(desktop.popupFlags, 8);
}

TEST_F(TrayMenus, DisabledFromThePopupSwitchesSyncingOffWithTheOffPictureAndTip) {
    SwitchOn();
    EXPECT_EQ(ui.SysTray1.icon, &ui.btnSyncOn.picture);
    RightClick([&] { form.mnu_PopupDisabled_Click(); });
    EXPECT_FALSE(form.SyncOn);
    EXPECT_EQ(ui.SysTray1.icon, &ui.btnSyncOff.picture);
    EXPECT_EQ(ui.SysTray1.tip, "Sync Disabled");
    EXPECT_EQ(ui.Timer1.interval, 0);
}

TEST_F(TrayMenus, LeftClickAndPropertiesShowTheWindowAndOtherButtonsDoNothing) {
    form.SysTray1_MouseEvent(kMiddle, 0);
    form.SysTray1_MouseEvent(0, 7);
    EXPECT_EQ(desktop.timesShown + desktop.popupShown, 0);

    form.SysTray1_MouseEvent(kLeft, 0);
    EXPECT_TRUE(desktop.visible);
    form.SysTray1_MouseEvent(kLeft, 0);
    form.mnu_PopupProperties_Click();
    EXPECT_TRUE(desktop.visible);
    EXPECT_EQ(desktop.timesShown, 3);
    EXPECT_EQ(desktop.popupShown, 0);
}

TEST_F(TrayMenus, HelpAsksForTheFileBesideTheProgramAndSwallowsFailures) {
    form.mnuHelpContents_Click();
    desktop.helpThrows = true;
    EXPECT_NO_THROW(form.mnuHelpContents_Click());
    EXPECT_EQ(desktop.helpFiles, std::vector<std::string>(2, tmp.str("brannock.hlp")));
    EXPECT_TRUE(desktop.boxes.empty());
}

// Exit, the pop-up's Terminate and the Terminate button end the program alike.
TEST(TrayTerminate, ExitAndTerminateBehaveAsTheTerminateButton) {
    struct Outcome {
        bool unloaded, inTray, syncOn, terminateEnabled, listEnabled;
        std::string savedSyncOn;
        bool operator==(const Outcome&) const = default;
    };
    auto run = [](std::function<void(frmMain&)> terminate) {
        UiWorld r;
        r.FillControls();
        r.form.ApplySyncState(true);
        terminate(r.form);
        return Outcome{r.desktop.unloaded,        r.ui.SysTray1.inTray,     r.form.SyncOn,
                       r.ui.btnTerminate.enabled, r.ui.lstSyncFrom.enabled, r.Saved("SyncOn")};
    };
    Outcome button = run([](frmMain& f) { f.btnTerminate_Click(); });
    EXPECT_EQ(button, (Outcome{true, false, false, false, false, "Yes"}));
    EXPECT_EQ(run([](frmMain& f) { f.mnu_FileExit_Click(); }), button);
    EXPECT_EQ(run([](frmMain& f) { f.mnu_PopupTerminate_Click(); }), button);
}

}  // namespace
