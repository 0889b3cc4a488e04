// The Activity Log window on Qt: the menu items and the tray's notice that open it, and the
// window itself showing the log's lines, following new ones at the bottom and closing with Esc.
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSystemTrayIcon>
#include <QTest>

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
    void PressEsc() {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(View(), &event);
    }
};

QStringList Texts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

TEST_F(ActivityLogWindowTest, TheMenuItemsAndTheTraysNoticeOpenTheWindow) {
    StartAndLoad(SavedIni(false));
    EXPECT_EQ(Texts(window().mnu_File),
              (QStringList{QStringLiteral("&Activity Log..."), QStringLiteral("E&xit")}));
    EXPECT_EQ(Texts(window().mnu_Popup),
              (QStringList{QStringLiteral("&Properties"), QStringLiteral("&Activity Log..."),
                           QStringLiteral("&Disabled"), QStringLiteral("-"),
                           QStringLiteral("&Terminate")}));
    form().LogEvent("started", "by the test");
    const struct {
        const char* way;
        std::function<void()> act;
    } ways[] = {
        {"file menu", [this] { window().mnu_FileLog->trigger(); }},
        {"tray menu", [this] { window().mnu_PopupLog->trigger(); }},
        {"notice", [this] { emit window().SysTray1->messageClicked(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        if (LogWindow() != nullptr)
            LogWindow()->hide();
        window().hide();  // from the tray, the main window is hidden
        way.act();
        ASSERT_NE(LogWindow(), nullptr);
        EXPECT_TRUE(LogWindow()->isVisible() && !LogWindow()->isModal());
        EXPECT_FALSE(window().isVisible());
        EXPECT_TRUE(Lines().last().endsWith(QStringLiteral(" started by the test")));
    }
}

TEST_F(ActivityLogWindowTest, ShowsTheLinesAtTheEndFollowsNewOnesAndClosesWithEsc) {
    StartAndLoad(SavedIni(false));
    for (int i = 1; i <= 300; ++i)
        form().LogEvent("copied", "file " + std::to_string(i) + " \xC3\xBC");
    window().mnu_FileLog->trigger();
    ASSERT_NE(LogWindow(), nullptr);
    QApplication::processEvents();
    // The load's own lines come first.
    const auto loaded = Lines().size() - 300;
    ASSERT_GE(loaded, 0);
    EXPECT_TRUE(Lines()[loaded].endsWith(QString::fromUtf8(" copied file 1 \xC3\xBC")));
    EXPECT_TRUE(AtEnd());

    // A new event shows at the bottom, in sight, without being asked for.
    form().LogEvent("deleted", "the newest");
    EXPECT_TRUE(WaitFor([&] { return Lines().size() == loaded + 301; }));
    EXPECT_TRUE(Lines().last().endsWith(QStringLiteral(" deleted the newest")));
    EXPECT_TRUE(AtEnd());
    // Someone reading further up keeps the place.
    View()->verticalScrollBar()->setValue(0);
    form().LogEvent("deleted", "one more");
    EXPECT_TRUE(WaitFor([&] { return Lines().size() == loaded + 302; }));
    EXPECT_EQ(View()->verticalScrollBar()->value(), 0);

    QDialog* first = LogWindow();
    PressEsc();
    EXPECT_FALSE(first->isVisible());
    form().LogEvent("ended", "while closed");
    window().mnu_PopupLog->trigger();
    EXPECT_EQ(LogWindow(), first);  // one window, shown again with the log read afresh
    EXPECT_TRUE(first->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(Lines().size(), loaded + 303);
    EXPECT_TRUE(AtEnd());
}

}  // namespace
