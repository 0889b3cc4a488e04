// Clicks that arrive through the event loop while a long copy runs: they stop the cycle at once
// and, for a terminate, end the program as soon as the cycle has returned.
#include <QEvent>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>

#include <csignal>

#include "tests/gui/GuiFixture.h"
#include "ui/qt/StopSignals.h"

namespace {

constexpr std::int64_t kBigFile = 16 * 1024 * 1024;

// Counts the times a widget is shown.
class ShowCounter : public QObject {
  public:
    int shown = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            ++shown;
        return false;
    }
};

class CopyInterruptTest : public GuiFixture {
  protected:
    void SetUp() override { WriteFileOfSize(dir.path() / "src" / "big.bin", kBigFile); }
    bool Copying() { return !window().pgrStatus->isHidden(); }
    // Queues `action` to run through the event loop once a copy is under way.
    void DuringTheCopy(std::function<void()> action) {
        WhenEventsRun([this] { return Copying(); }, std::move(action));
    }
    bool CopiedWhole() { return MirroredSize("big.bin") == kBigFile; }
};

// The off state itself is the form's: here only that the click reaches it mid-copy.
TEST_F(CopyInterruptTest, StopSyncDuringACopyEndsTheCopyAndShowsTheOffState) {
    StartAndLoad(SavedIni(false, {Fileset("src")}));
    bool clicked = false;
    DuringTheCopy([&] {
        clicked = true;
        EXPECT_EQ(window().btnSyncToggle->text(), "Stop Sync");
        QTest::mouseClick(window().btnSyncToggle, Qt::LeftButton);
    });
    QTest::mouseClick(window().btnSyncToggle, Qt::LeftButton);  // returns after the cycle

    ASSERT_TRUE(clicked);
    EXPECT_FALSE(CopiedWhole() || Copying() || form().SyncOn || form().CycleRunning);
    EXPECT_EQ(window().btnSyncToggle->text(), "Start Sync");
    EXPECT_FALSE(window().Timer1->isActive() || form().Unloaded());
}

// The Terminate button, and a stop signal, during a copy: the window stays loaded under the
// running cycle and the program ends once it has returned. Only the button saves first.
TEST_F(CopyInterruptTest, TerminateOrAStopSignalDuringACopyEndsTheProgramOnceTheCycleReturns) {
    for (const bool signal : {false, true}) {
        SCOPED_TRACE(signal ? "stop signal" : "Terminate");
        StartAndLoad(SavedIni(false, {Fileset("src")}));
        if (signal)
            brannock_qt::WatchStopSignals(*shell);
        bool clicked = false, loadedUnderTheCycle = false;
        DuringTheCopy([&] {
            clicked = true;
            if (signal) {
                std::raise(SIGTERM);
                ASSERT_TRUE(WaitFor([&] { return form().TerminatePending; }));
            } else {
                QTest::mouseClick(window().btnTerminate, Qt::LeftButton);
                EXPECT_FALSE(window().btnSyncToggle->isEnabled() || window().btnClose->isEnabled());
            }
            loadedUnderTheCycle = !form().Unloaded();
        });
        QTest::mouseClick(window().btnSyncToggle, Qt::LeftButton);
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);

        ASSERT_TRUE(clicked);
        EXPECT_TRUE(loadedUnderTheCycle);
        EXPECT_TRUE(form().Unloaded());
        EXPECT_FALSE(CopiedWhole() || window().SysTray1->isVisible());
        EXPECT_EQ(IniValue("Options", "SyncOn"), signal ? "No" : "Yes");
    }
}

TEST_F(CopyInterruptTest, TrayTerminateDuringTheFirstCycleOfAnOnStartNeverShowsTheWindow) {
    Start(SavedIni(true, {Fileset("src")}));
    ShowCounter counter;
    window().installEventFilter(&counter);
    bool trayUpDuringCycle = false;
    DuringTheCopy([&] {
        trayUpDuringCycle = window().SysTray1->isVisible();
        emit window().SysTray1->activated(QSystemTrayIcon::Context);
        window().mnu_Popup->hide();
        window().mnu_PopupTerminate->trigger();
    });
    Main(form());

    EXPECT_TRUE(trayUpDuringCycle);
    EXPECT_TRUE(form().Unloaded());
    EXPECT_EQ(counter.shown, 0);
    EXPECT_FALSE(CopiedWhole());
    EXPECT_EQ(IniValue("Options", "SyncOn"), "Yes");
    window().removeEventFilter(&counter);
}

}  // namespace
