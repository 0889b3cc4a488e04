// A stop signal while a modal window is open: the window is dismissed and the program ends as
// from an idle window, unsaved, with whatever the window was asking left undone.
#include <QAction>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <csignal>
#include <filesystem>

#include "tests/gui/GuiFixture.h"
#include "ui/qt/StopSignals.h"

namespace fs = std::filesystem;

namespace {

class StopSignalTest : public GuiFixture {
  protected:
    ~StopSignalTest() override {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
    }
    // Answers the next modal window, which must be of type `Box`, with `signal`.
    template <class Box>
    void SignalWhenOpen(int signal, const char* what) {
        Answer([signal, what](QWidget& w) {
            EXPECT_NE(qobject_cast<Box*>(&w), nullptr) << "expected " << what;
            std::raise(signal);
        });
    }
    // Clicks `button`, which opens a modal window that gets `signal`; the click must return
    // with the program ended and the settings file as it was.
    void EndsFromTheBoxOf(QAbstractButton* button) {
        const std::string before = ReadFileText(IniPath());
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(answers.empty());
        EXPECT_TRUE(form().Unloaded());
        EXPECT_FALSE(window().isVisible());
        EXPECT_EQ(ReadFileText(IniPath()), before);
    }
};

TEST_F(StopSignalTest, TheAboutBoxOfAFirstStartEndsTheProgramBeforeTheMainLoop) {
    Start("");
    brannock_qt::WatchStopSignals(*shell);
    SignalWhenOpen<QDialog>(SIGTERM, "the About box");
    Main(form());
    EXPECT_TRUE(answers.empty());
    EXPECT_TRUE(form().Unloaded());
    EXPECT_FALSE(fs::exists(IniPath()));  // nothing saved
}

TEST_F(StopSignalTest, EachBoxOfTheWindowEndsTheProgramWithItsQuestionUnanswered) {
    for (int box = 0; box < 3; ++box) {
        StartAndLoad(SavedIni(false, {"/a/*.*"}));
        brannock_qt::WatchStopSignals(*shell);
        shell->controls.lstSyncFrom.SetListIndex(0);
        if (box == 0)
            SignalWhenOpen<QMessageBox>(SIGINT, "the delete question");
        else if (box == 1)
            SignalWhenOpen<QInputDialog>(SIGTERM, "the input box");
        else
            SignalWhenOpen<QFileDialog>(SIGTERM, "the folder picker");
        EndsFromTheBoxOf(box == 0   ? window().btnDeletePath
                         : box == 1 ? window().btnModifyPath
                                    : window().btnToBrowse);
        // Neither deleted nor changed.
        ASSERT_EQ(shell->controls.lstSyncFrom.ListCount(), 1);
        EXPECT_EQ(shell->controls.lstSyncFrom.List(0), "/a/*.*");
    }
}

TEST_F(StopSignalTest, TheEraseQuestionEndsTheProgramWithNothingErasedNorSwitchedOn) {
    WriteFile(dir.path() / "dest" / "kept.txt", "mirror");
    std::string ini = SavedIni(false, {Fileset("src")});
    ini.insert(ini.find("About="), "Erase=Yes\n");
    StartAndLoad(ini);
    ASSERT_TRUE(form().EraseOnStart);
    brannock_qt::WatchStopSignals(*shell);
    SignalWhenOpen<QMessageBox>(SIGTERM, "the erase question");
    EndsFromTheBoxOf(window().btnSyncToggle);
    EXPECT_FALSE(form().SyncOn);
    EXPECT_TRUE(fs::exists(dir.path() / "dest" / "kept.txt"));
}

TEST_F(StopSignalTest, TheEndOfTheSessionEndsTheProgramFromAnOpenBoxToo) {
    constexpr std::int16_t kSessionEnd = 2;
    StartAndLoad(SavedIni(false, {"/a/*.*"}));
    shell->controls.lstSyncFrom.SetListIndex(0);
    Answer([this](QWidget&) { shell->EndFromOutside(kSessionEnd); });
    EndsFromTheBoxOf(window().btnDeletePath);
    EXPECT_EQ(shell->controls.lstSyncFrom.ListCount(), 1);
}

// The About box opened from the menu during a copy runs its loop inside the cycle's: the
// window stays until the cycle, stopped after its block, has returned.
TEST_F(StopSignalTest, AnAboutBoxOverARunningCycleEndsTheProgramOnceTheCycleReturns) {
    constexpr std::int64_t kBigFile = 16 * 1024 * 1024;
    WriteFileOfSize(dir.path() / "src" / "big.bin", kBigFile);
    StartAndLoad(SavedIni(false, {Fileset("src")}));
    brannock_qt::WatchStopSignals(*shell);
    bool loadedUnderTheCycle = false;
    Answer([&](QWidget&) {
        std::raise(SIGTERM);
        ASSERT_TRUE(WaitFor([&] { return form().TerminatePending; }));
        loadedUnderTheCycle = form().CycleRunning && !form().Unloaded();
    });
    WhenEventsRun([this] { return !window().pgrStatus->isHidden(); },
                  [this] { window().mnu_HelpAbout->trigger(); });
    QTest::mouseClick(window().btnSyncToggle, Qt::LeftButton);

    EXPECT_TRUE(answers.empty());
    EXPECT_TRUE(loadedUnderTheCycle);
    EXPECT_TRUE(form().Unloaded());
    EXPECT_LT(MirroredSize("big.bin"), kBigFile);
}

}  // namespace
