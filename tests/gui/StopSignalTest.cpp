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
};

TEST_F(StopSignalTest, TheAboutBoxOfAFirstStartEndsTheProgramBeforeTheMainLoop) {
    Start("");
    brannock_qt::WatchStopSignals(*shell);
    Answer([](QWidget&) { std::raise(SIGTERM); });
    Main(form());
    EXPECT_TRUE(answers.empty());
    EXPECT_TRUE(form().Unloaded());
    EXPECT_FALSE(fs::exists(IniPath()));  // nothing saved
}

// Each box the window opens, the erase question included, and the end of the session as well
// as a signal: the click returns with nothing deleted, changed, erased or switched on.
TEST_F(StopSignalTest, EachBoxOfTheWindowEndsTheProgramWithItsQuestionUnanswered) {
    WriteFile(dir.path() / "dest" / "kept.txt", "mirror");
    constexpr int kSessionEnd = 0;  // no signal: the session ends instead
    const struct {
        const char* button;
        const QMetaObject& box;
        int signal;
    } cases[] = {{"btnDeletePath", QMessageBox::staticMetaObject, SIGINT},
                 {"btnModifyPath", QInputDialog::staticMetaObject, SIGTERM},
                 {"btnToBrowse", QFileDialog::staticMetaObject, SIGTERM},
                 {"btnSyncToggle", QMessageBox::staticMetaObject, SIGTERM},
                 {"btnDeletePath", QMessageBox::staticMetaObject, kSessionEnd}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " " + std::to_string(c.signal));
        std::string ini = SavedIni(false, {Fileset("src")});
        ini.insert(ini.find("About="), "Erase=Yes\n");
        StartAndLoad(ini);
        brannock_qt::WatchStopSignals(*shell);
        shell->controls.lstSyncFrom.SetListIndex(0);
        Answer([&](QWidget& w) {
            EXPECT_TRUE(w.inherits(c.box.className())) << w.metaObject()->className();
            if (c.signal == kSessionEnd)
                shell->EndFromOutside(2);  // the session ends
            else
                std::raise(c.signal);
        });
        // The click returns with the program ended and the settings file as it was.
        const std::string before = ReadFileText(IniPath());
        QTest::mouseClick(window().findChild<QAbstractButton*>(c.button), Qt::LeftButton);
        EXPECT_TRUE(answers.empty());
        EXPECT_TRUE(form().Unloaded());
        EXPECT_FALSE(window().isVisible());
        EXPECT_EQ(ReadFileText(IniPath()), before);
        EXPECT_EQ(shell->controls.lstSyncFrom.List(0), Fileset("src"));
        EXPECT_EQ(shell->controls.lstSyncFrom.ListCount(), 1);
        EXPECT_FALSE(form().SyncOn);
        EXPECT_TRUE(fs::exists(dir.path() / "dest" / "kept.txt"));
    }
}

}  // namespace
