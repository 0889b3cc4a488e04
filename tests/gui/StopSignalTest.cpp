// Ending from outside the window: a stop signal while a modal window is open, or a click or
// signal while a long copy runs. A box is dismissed with its question left undone and the
// program ends unsaved; a copy stops at once and the program ends once the cycle has returned.
#include <csignal>

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
    // What a box left unanswered leaves as it was: the settings file and the window's entries.
    std::string Kept() {
        std::string kept = fs::exists(IniPath()) ? ReadFileText(IniPath()) : "no settings file";
        for (int i = 0; i < shell->controls.lstSyncFrom.ListCount(); ++i)
            kept += "\n" + shell->controls.lstSyncFrom.List(i);
        return kept + "\n" + shell->controls.txtSyncTo.Text();
    }
};

// Each kind of box the program opens, the About box of a first start (before the main loop runs)
// among them.
TEST_F(StopSignalTest, EachKindOfBoxEndsTheProgramWithItsQuestionUnanswered) {
    const struct {
        const char* button;  // none: the first start's About box
        const QMetaObject& box;
        int signal;
    } cases[] = {{nullptr, QDialog::staticMetaObject, SIGTERM},
                 {"btnDeletePath", QMessageBox::staticMetaObject, SIGINT},
                 {"btnModifyPath", QInputDialog::staticMetaObject, SIGTERM},
                 {"btnToBrowse", QFileDialog::staticMetaObject, SIGTERM}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box.className());
        Start(c.button != nullptr ? SavedIni(false, {Fileset("src")}) : "");
        brannock_qt::WatchStopSignals(*shell);
        if (c.button != nullptr) {
            Main(form());
            shell->controls.lstSyncFrom.SetListIndex(0);
        }
        const std::string before = Kept();
        Answer([&](QWidget& w) {
            EXPECT_TRUE(w.inherits(c.box.className())) << w.metaObject()->className();
            std::raise(c.signal);
        });
        if (c.button != nullptr)
            Click(c.button);
        else
            Main(form());
        EXPECT_TRUE(answers.empty());
        EXPECT_TRUE(form().Unloaded() && !window().isVisible());
        EXPECT_EQ(Kept(), before);
    }
}

// The Terminate button, and a signal while an About box opened from the menu runs its loop
// inside the cycle's: the window stays loaded under the running cycle, which stops at once, and
// only the button saves (with syncing on).
TEST_F(StopSignalTest, TerminateOrASignalDuringACopyEndTheCycleThere) {
    constexpr std::int64_t kBigFile = 16 * 1024 * 1024;
    WriteFileOfSize(dir.path() / "src" / "big.bin", kBigFile);
    for (const bool signal : {false, true}) {
        SCOPED_TRACE(signal ? "a signal under the About box" : "the Terminate button");
        StartAndLoad(SavedIni(false, {Fileset("src")}));
        brannock_qt::WatchStopSignals(*shell);
        bool loadedUnderTheCycle = false;
        auto* watch = new QTimer(&window());  // goes with the window
        QObject::connect(watch, &QTimer::timeout, [&, watch] {
            if (window().pgrStatus->isHidden())
                return;  // no copy under way yet
            watch->stop();
            if (signal) {
                Answer([&](QWidget&) {
                    std::raise(SIGTERM);
                    ASSERT_TRUE(WaitFor([&] { return form().TerminatePending; }));
                    EXPECT_TRUE(form().CycleRunning);
                });
                window().mnu_HelpAbout->trigger();
            } else {
                Click("btnTerminate");
            }
            loadedUnderTheCycle = !form().Unloaded();
        });
        watch->start(0);
        Click("btnSyncToggle");  // returns after the cycle
        EXPECT_TRUE(loadedUnderTheCycle && form().Unloaded());
        EXPECT_NE(MirroredSize("big.bin"), kBigFile);
        EXPECT_EQ(IniValue("Options", "SyncOn"), signal ? "No" : "Yes");
    }
}

}  // namespace
