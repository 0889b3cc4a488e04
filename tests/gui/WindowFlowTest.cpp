// The window's wiring as the user drives it: each button, menu item, tray click and the close box
// reaches its handler (the handlers themselves are tested headless), and the window as it first
// appears shows its pictures and lays its controls out sanely.
#include "tests/gui/GuiFixture.h"

namespace {

class WindowFlowTest : public GuiFixture {
  protected:
    using Act = std::function<void()>;
    using W = brannock_qt::MainWindow;
    Act Use(const char* button) {
        return [this, button] { Click(button); };
    }
    // The menus' captions are checked with the Activity Log's items.
    Act Use(QAction* brannock_qt::MainWindow::*item) {
        return [this, item] { (window().*item)->trigger(); };
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
// one way in each row, with the box it opens answered, and what only its handler does. (Sync
// and Terminate are clicked in the stop-signal tests, the About box opened in its own.)
TEST_F(WindowFlowTest, EachWayInReachesItsHandler) {
    const auto text = [](QWidget& w) {
        static_cast<QInputDialog&>(w).setTextValue(QStringLiteral("/b/*.txt"));
        static_cast<QInputDialog&>(w).accept();
    };
    const auto yes = [](QWidget& w) {
        static_cast<QMessageBox&>(w).button(QMessageBox::Yes)->click();
    };
    const auto saved = [this] { return IniValue("Options", "Wakeup") == "7"; };
    const auto ended = [this, saved] { return form().Unloaded() && saved(); };
    const auto shown = [this] { return window().isVisible() && !window().isMinimized(); };
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
        {"add", Use("btnAddPath"), Entries({"/a/*.*", "/b/*.*", "/c/*.*", src}),
         Pick(dir.str("src"))},
        {"modify", Use("btnModifyPath"), Entries({"/a/*.*", "/b/*.txt", "/c/*.*"}), text},
        {"delete", Use("btnDeletePath"), Entries({"/a/*.*", "/c/*.*"}), yes},
        {"up", Use("btnUpPath"), Entries({"/b/*.*", "/a/*.*", "/c/*.*"})},
        {"down", Use("btnDownPath"), Entries({"/a/*.*", "/c/*.*", "/b/*.*"})},
        {"browse", Use("btnToBrowse"),
         [&] { return window().txtSyncTo->text().toStdString() == dir.str("src"); },
         Pick(dir.str("src"))},
        {"close", Use("btnClose"), hidden(true)},
        {"exit", Use(&W::mnu_FileExit), ended},
        {"properties", Hidden(Use(&W::mnu_PopupProperties)), shown},
        {"disabled", Use(&W::mnu_PopupDisabled), [this] { return form().SyncOn; }},
        {"tray terminate", Use(&W::mnu_PopupTerminate), ended},
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
        EXPECT_TRUE(answers.empty() && row.done());
        window().mnu_Popup->hide();
    }
}

}  // namespace
