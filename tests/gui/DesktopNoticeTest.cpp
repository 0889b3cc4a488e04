// What the desktop shows beyond the main window: the help window, the tray speaking up when the
// error limit stops syncing, and boxes laid out for the long paths they name.
#include <QDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTextBrowser>

#include "engine/PathMapping.h"
#include "tests/gui/GuiFixture.h"

namespace {

namespace fs = std::filesystem;

class DesktopNotice : public GuiFixture {
  protected:
    QDialog* Help() { return window().findChild<QDialog*>(QStringLiteral("HelpWindow")); }
};

TEST_F(DesktopNotice, HelpContentsShowsTheHelpFileFormattedUntilEsc) {
    fs::create_directories(dir.path() / "prog");
    fs::copy_file(BRANNOCK_HELP_SOURCE, dir.path() / "prog" / "brannock.hlp");
    StartAndLoad(SavedIni(false));
    EXPECT_FALSE(shell->desktop.ShowHelpFile(dir.str("prog/none.hlp")));  // quietly, no box
    EXPECT_EQ(Help(), nullptr);
    window().mnuHelpContents->trigger();
    QDialog* help = Help();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible() && !help->isModal());
    auto* view = help->findChild<QTextBrowser*>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isReadOnly());
    const QString text = view->toPlainText();
    // Rendered, not shown as source: headings without their marks, the examples of both systems.
    EXPECT_TRUE(text.startsWith(QStringLiteral("Brannock Help"))) << text.left(40).toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("## ")));
    for (const char* part :
         {"Where the copies go", "E:\\Mirror\\C\\Data", "/media/backup/Mirror/home", "SyncDateTime",
          "five times in a row", "Troubleshooting"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;

    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(help, &esc);
    EXPECT_FALSE(help->isVisible());
    window().mnuHelpContents->trigger();
    EXPECT_EQ(Help(), help);  // one help window, shown again
    EXPECT_TRUE(help->isVisible());
}

TEST_F(DesktopNotice, TheErrorLimitStopShowsABalloonAndTheReasonInTheTip) {
    // Five filesets fail alike: a plain file stands where the copies' folder belongs.
    WriteFile(dir.path() / "src" / "a.txt", "a");
    WriteFile(pathmap::DestinationFolder(dir.str("dest"), dir.str("src")), "in the way");
    StartAndLoad(SavedIni(true, std::vector<std::string>(5, Fileset("src"))));
    EXPECT_FALSE(form().SyncOn);
    const std::string failure = form().ReadErrorMessage();
    ASSERT_FALSE(failure.empty());
    // The notice's texts are the form's: here the tray shows them.
    EXPECT_TRUE(shell->controls.SysTray1.LastBalloonText().ends_with("\n" + failure));
    // The tip: the state, then the failure broken into lines after its separators.
    const QString tip = window().SysTray1->toolTip();
    EXPECT_TRUE(tip.startsWith(QStringLiteral("Sync Disabled\n")));
    EXPECT_EQ(QString(tip).remove(QLatin1Char('\n')).remove(QLatin1Char(' ')),
              QString(QStringLiteral("Sync Disabled") + QString::fromStdString(failure))
                  .remove(QLatin1Char(' ')));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // never a message box
}

TEST_F(DesktopNotice, BoxesBreakLongPathsAfterSeparatorsAndFitLongEntries) {
    StartAndLoad(SavedIni(false));
    const std::string path =
        "/tmp/brannock.Q2x7/a-rather-long-folder-name/holding/another-long-folder-name/and/more";
    Answer([&path](QWidget& w) {
        const QString text = static_cast<QMessageBox&>(w).text();
        // Where the lines break is the text layout's; here the box breaks them, keeping the text.
        EXPECT_GT(text.count(QLatin1Char('\n')), 1);
        EXPECT_EQ(QString(text).remove(QLatin1Char('\n')),
                  "Unable to erase the program folder" + QString::fromStdString(path));
        static_cast<QMessageBox&>(w).accept();
    });
    shell->desktop.MsgBox("Unable to erase the program folder " + path, 16, "Error");

    const std::string entry = path + "/" + path + "/*.*";
    Answer([&entry](QWidget& w) {
        auto* edit = w.findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        const int most = w.screen()->availableGeometry().width() * 4 / 5;
        EXPECT_GE(edit->width(),
                  std::min(edit->fontMetrics().horizontalAdvance(QString::fromStdString(entry)),
                           most - 40));
        EXPECT_LE(w.width(), w.screen()->availableGeometry().width());
        static_cast<QDialog&>(w).reject();
    });
    shell->desktop.InputBox("Fileset:", "Modify Fileset", entry);
}

}  // namespace
