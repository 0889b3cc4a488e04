// The Activity Log window on Qt: the menu items and the tray's notice that open it, and the
// window itself showing the log's lines, following new ones at the bottom and closing with Esc.
#include "tests/gui/GuiFixture.h"

namespace {

class ActivityLogWindowTest : public GuiFixture {
  protected:
    QDialog* LogWindow() {
        return window().findChild<QDialog*>(QStringLiteral("ActivityLogWindow"));
    }
    QPlainTextEdit* View() { return LogWindow()->findChild<QPlainTextEdit*>(); }
    QStringList Lines() { return View()->toPlainText().split(QLatin1Char('\n')); }
    bool AtEnd() {
        const QScrollBar* bar = View()->verticalScrollBar();
        return bar->maximum() > 0 && bar->value() == bar->maximum();
    }
};

std::string Texts(const QMenu* menu) {
    std::string texts;
    for (const QAction* action : menu->actions())
        texts += (action->isSeparator() ? "-" : action->text().toStdString()) + "|";
    return texts;
}

// Opened from the window's menu, then, after Esc has closed it, from the tray's menu and its
// notice, the main window staying hidden: one window, shown again with the log read afresh.
TEST_F(ActivityLogWindowTest, OpensFromTheMenusAndTheNoticeShowsTheLinesAndFollowsNewOnes) {
    StartAndLoad(SavedIni(false));
    EXPECT_EQ(Texts(window().mnu_File), "&Activity Log...|E&xit|");
    EXPECT_EQ(Texts(window().mnu_Popup), "&Properties|&Activity Log...|&Disabled|-|&Terminate|");
    // The start-up's own lines come first.
    const qsizetype startUp = QString::fromStdString(ReadFileText(form().LogFile)).count('\n');
    for (int i = 1; i <= 300; ++i)
        form().LogEvent("copied", "file " + std::to_string(i) + " \xC3\xBC");
    window().hide();
    QDialog* first = nullptr;
    const std::function<void()> ways[] = {[this] { window().mnu_FileLog->trigger(); },
                                          [this] { window().mnu_PopupLog->trigger(); },
                                          [this] { emit window().SysTray1->messageClicked(); }};
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        form().LogEvent("ended", "while closed");
        ways[way]();
        first = way == 0 ? LogWindow() : first;
        ASSERT_TRUE(first != nullptr && LogWindow() == first);
        EXPECT_TRUE(first->isVisible() && !first->isModal() && !window().isVisible());
        QApplication::processEvents();
        ASSERT_EQ(Lines().size(), startUp + 301 + way);
        EXPECT_TRUE(Lines().last().endsWith(QStringLiteral(" ended while closed")));
        EXPECT_TRUE(AtEnd());
        QTest::keyClick(View(), Qt::Key_Escape);
        EXPECT_FALSE(first->isVisible());
    }
    ways[0]();
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Brannock Activity Log"));
    EXPECT_TRUE(Lines()[startUp].endsWith(QString::fromUtf8(" copied file 1 \xC3\xBC")));

    // A new event shows at the bottom, in sight, without being asked for.
    form().LogEvent("deleted", "the newest");
    EXPECT_TRUE(WaitFor([&] { return Lines().size() == startUp + 304; }));
    EXPECT_TRUE(Lines().last().endsWith(QStringLiteral(" deleted the newest")));
    EXPECT_TRUE(AtEnd());
    // Someone reading further up keeps the place.
    View()->verticalScrollBar()->setValue(0);
    form().LogEvent("deleted", "one more");
    EXPECT_TRUE(WaitFor([&] { return Lines().size() == startUp + 305; }));
    EXPECT_EQ(View()->verticalScrollBar()->value(), 0);
}

}  // namespace
