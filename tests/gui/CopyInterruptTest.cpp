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
        auto* watch = new QTimer(&window());  // goes with the window
        QObject::connect(watch, &QTimer::timeout, [this, watch, action] {
            if (Copying()) {
                watch->stop();
                action();
            }
        });
        watch->start(0);
    }
    bool CopiedWhole() { return MirroredSize("big.bin") == kBigFile; }
};

// Stop Sync, the Terminate button and a stop signal during a copy, the signal also while an
// About box opened from the menu runs its loop inside the cycle's: the window stays loaded
// under the running cycle, which stops at once; a terminate ends the program once it has
// returned, and only the button saves first. The off state itself is the form's.
TEST_F(CopyInterruptTest, StopTerminateOrAStopSignalDuringACopyEndTheCycleThere) {
    enum Way { kStop, kTerminate, kSignal, kSignalUnderAbout };
    for (const Way way : {kStop, kTerminate, kSignal, kSignalUnderAbout}) {
        SCOPED_TRACE(way);
        StartAndLoad(SavedIni(false, {Fileset("src")}));
        brannock_qt::WatchStopSignals(*shell);
        bool clicked = false, loadedUnderTheCycle = false;
        const auto signal = [&] {
            std::raise(SIGTERM);
            ASSERT_TRUE(WaitFor([&] { return form().TerminatePending; }));
            EXPECT_TRUE(form().CycleRunning);
        };
        DuringTheCopy([&] {
            clicked = true;
            if (way == kSignal) {
                signal();
            } else if (way == kSignalUnderAbout) {
                Answer([&](QWidget&) { signal(); });
                window().mnu_HelpAbout->trigger();
            } else {
                QTest::mouseClick(way == kStop ? window().btnSyncToggle : window().btnTerminate,
                                  Qt::LeftButton);
            }
            loadedUnderTheCycle = !form().Unloaded();
        });
        QTest::mouseClick(window().btnSyncToggle, Qt::LeftButton);  // returns after the cycle
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);

        ASSERT_TRUE(clicked);
        EXPECT_TRUE(loadedUnderTheCycle);
        EXPECT_FALSE(CopiedWhole() || Copying() || form().CycleRunning);
        EXPECT_FALSE(window().Timer1->isActive());
        EXPECT_EQ(form().Unloaded(), way != kStop);
        EXPECT_EQ(window().SysTray1->isVisible(), way == kStop);
        if (way == kStop)
            EXPECT_FALSE(form().SyncOn || window().btnSyncToggle->text() != "Start Sync");
        else
            EXPECT_EQ(IniValue("Options", "SyncOn"), way == kTerminate ? "Yes" : "No");
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
