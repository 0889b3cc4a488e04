// The window's wiring as the user drives it: each button, menu item, tray click and the close box
// reaches its handler (the handlers themselves are tested headless), and the window as it first
// appears shows its pictures and lays its controls out sanely.
#include <QCursor>
#include <QFileDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <QToolButton>

#include "tests/gui/GuiFixture.h"

namespace {

class WindowFlowTest : public GuiFixture {
  protected:
    using Act = std::function<void()>;
    Act Click(const char* button) {
        return [this, button] {
            QTest::mouseClick(window().findChild<QAbstractButton*>(button), Qt::LeftButton);
        };
    }
    // Menu items are found by their captions, so the captions are checked along the way.
    Act Menu(const char* caption) {
        return [this, caption] {
            for (QAction* action : window().findChildren<QAction*>())
                if (action->text() == QLatin1String(caption))
                    return action->trigger();
            ADD_FAILURE() << "no menu item " << caption;
        };
    }
    Act Tray(QSystemTrayIcon::ActivationReason reason) {
        return [this, reason] { emit window().SysTray1->activated(reason); };
    }
    Act Hidden(Act act) {
        return [this, act] { window().hide(), act(); };
    }
    std::function<bool()> Entries(const QStringList& expected) {
        return [this, expected] {
            QStringList entries;
            for (int i = 0; i < window().lstSyncFrom->count(); ++i)
                entries << window().lstSyncFrom->item(i)->text();
            return entries == expected;
        };
    }
    // Picks `folder` in the folder picker.
    static std::function<void(QWidget&)> Pick(const std::string& folder) {
        return [folder](QWidget& w) {
            auto* picker = qobject_cast<QFileDialog*>(&w);
            ASSERT_NE(picker, nullptr) << "expected the folder picker";
            picker->selectFile(QString::fromStdString(folder));
            QMetaObject::invokeMethod(picker, "accept");
        };
    }
};

TEST_F(WindowFlowTest, PicturesShowAndNothingOverlapsOrIsCutOff) {
    StartAndLoad(SavedIni(false, {Fileset("src")}));
    auto& w = window();
    QApplication::processEvents();
    EXPECT_FALSE(w.windowIcon().isNull());
    for (QAbstractButton* b : {w.btnAddPath, w.btnModifyPath, w.btnDeletePath, w.btnUpPath,
                               w.btnDownPath, w.btnToBrowse})
        EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
    // The tray's picture holders and the progress bar do not show with the window.
    EXPECT_FALSE(w.btnSyncOn->isVisible() || w.btnSyncOff->isVisible() || w.pgrStatus->isVisible());
    for (QWidget* child : w.findChildren<QWidget*>()) {
        if (child->isVisible() && child->parentWidget() != nullptr && !child->isWindow()) {
            EXPECT_TRUE(child->parentWidget()->rect().contains(child->geometry()))
                << child->objectName().toStdString() << " is cut off";
        }
    }
    w.btnSyncToggle->setText(QStringLiteral("Stop Sync"));  // the longer of its captions
    for (QPushButton* b : {w.btnClose, w.btnSyncToggle, w.btnTerminate})
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
}

// From a window showing three filesets, the middle one selected, and an unsaved interval of 7:
// one way in each row, with the box it opens answered, and what only its handler does.
TEST_F(WindowFlowTest, EachWayInReachesItsHandler) {
    const auto text = [](const char* value) {
        return [value](QWidget& w) {
            static_cast<QInputDialog&>(w).setTextValue(QString::fromLatin1(value));
            static_cast<QInputDialog&>(w).accept();
        };
    };
    const auto yes = [](QWidget& w) {
        static_cast<QMessageBox&>(w).button(QMessageBox::Yes)->click();
    };
    const auto about = [this](QWidget& box) {
        EXPECT_EQ(box.parentWidget(), &window());
        const QPoint offset = box.frameGeometry().center() - window().frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
        static_cast<QDialog&>(box).reject();
    };
    const auto saved = [this] { return IniValue("Options", "Wakeup") == "7"; };
    const auto ended = [this, saved] { return form().Unloaded() && saved(); };
    const auto shown = [this] { return window().isVisible() && !window().isMinimized(); };
    const auto on = [this] { return form().SyncOn; };
    const auto pointed = [this] {  // right edge on the pointer, the check mark already set
        QMenu* popup = window().mnu_Popup;
        const bool placed = std::abs(popup->geometry().right() - QCursor::pos().x()) <= 2;
        return popup->isVisible() && placed && window().mnu_PopupDisabled->isChecked();
    };
    const auto hidden = [this, saved](bool wasSaved) {
        return [=, this] {
            return !window().isVisible() && saved() == wasSaved && !form().Unloaded();
        };
    };
    const QString src = QString::fromStdString(Fileset("src"));
    const struct {
        const char* way;
        Act act;
        std::function<bool()> done;
        std::function<void(QWidget&)> answer = {};  // for the box it opens, if any
    } rows[] = {
        {"add", Click("btnAddPath"), Entries({"/a/*.*", "/b/*.*", "/c/*.*", src}),
         Pick(dir.str("src"))},
        {"modify", Click("btnModifyPath"), Entries({"/a/*.*", "/b/*.txt", "/c/*.*"}),
         text("/b/*.txt")},
        {"delete", Click("btnDeletePath"), Entries({"/a/*.*", "/c/*.*"}), yes},
        {"up", Click("btnUpPath"), Entries({"/b/*.*", "/a/*.*", "/c/*.*"})},
        {"down", Click("btnDownPath"), Entries({"/a/*.*", "/c/*.*", "/b/*.*"})},
        {"browse", Click("btnToBrowse"),
         [&] { return window().txtSyncTo->text().toStdString() == dir.str("src"); },
         Pick(dir.str("src"))},
        {"toggle", Click("btnSyncToggle"), on},
        {"close", Click("btnClose"), hidden(true)},
        {"terminate", Click("btnTerminate"), ended},
        {"exit", Menu("E&xit"), ended},
        {"about", Menu("&About..."), shown, about},
        {"properties", Hidden(Menu("&Properties")), shown},
        {"disabled", Menu("&Disabled"), on},
        {"tray terminate", Menu("&Terminate"), ended},
        {"tray left click", Hidden(Tray(QSystemTrayIcon::Trigger)), shown},
        {"tray right click", Tray(QSystemTrayIcon::Context), pointed},
        {"tray middle click", Hidden(Tray(QSystemTrayIcon::MiddleClick)),
         [&] { return !window().isVisible() && !window().mnu_Popup->isVisible(); }},
        // The close box only hides, unsaved; without a notification area nothing could bring a
        // hidden window back, so it minimises.
        {"close box", [&] { window().close(); }, hidden(false)},
        {"close box without a tray",
         [&] { shell->desktop.SetTrayAvailable(false), window().close(); },
         [&] { return window().isMinimized() && !form().Unloaded(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.way);
        StartAndLoad(SavedIni(false, {"/a/*.*", "/b/*.*", "/c/*.*"}));
        QCursor::setPos(500, 300);
        shell->controls.lstSyncFrom.SetListIndex(1);
        window().txtWakeup->setText(QStringLiteral("7"));
        if (row.answer)
            Answer(row.answer);
        row.act();
        EXPECT_TRUE(answers.empty());
        EXPECT_TRUE(row.done());
        window().mnu_Popup->hide();
    }
}

}  // namespace
