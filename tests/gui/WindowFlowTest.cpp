// The window's wiring as the user drives it: start-up, the close box, the buttons with the
// boxes and pickers they open, the tray icon with its menu, and the menus.
#include <QCursor>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <QToolButton>

#include "tests/gui/GuiFixture.h"

namespace {

class WindowFlowTest : public GuiFixture {
  protected:
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    QStringList Entries() {
        QStringList entries;
        for (int i = 0; i < window().lstSyncFrom->count(); ++i)
            entries << window().lstSyncFrom->item(i)->text();
        return entries;
    }
    IListBox& list() { return shell->controls.lstSyncFrom; }
    // An answer for the folder picker: picks `folder`, or cancels when `folder` is empty.
    static std::function<void(QWidget&)> Picker(const std::string& title,
                                                const std::string& folder) {
        return [title, folder](QWidget& w) {
            auto* picker = qobject_cast<QFileDialog*>(&w);
            ASSERT_NE(picker, nullptr) << "expected the folder picker";
            EXPECT_EQ(picker->windowTitle().toStdString(), title);
            if (folder.empty())
                return picker->reject();
            picker->selectFile(QString::fromStdString(folder));
            QMetaObject::invokeMethod(picker, "accept");
        };
    }
    void Tray(QSystemTrayIcon::ActivationReason reason) {
        emit window().SysTray1->activated(reason);
    }
};

// The form's handlers are tested headless: here each button, box and menu item reaches them.
TEST_F(WindowFlowTest, FirstStartThenTheCloseBoxWithAndWithoutATrayCloseAboutAndExit) {
    Answer([this](QWidget& about) {
        EXPECT_TRUE(window().isVisible());
        EXPECT_EQ(about.parentWidget(), &window());
        const QPoint offset = about.frameGeometry().center() - window().frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
        static_cast<QDialog&>(about).reject();
    });
    StartAndLoad("");
    EXPECT_TRUE(window().isVisible() && window().SysTray1->isVisible());
    list().AddItem("/more/*.*");

    // The close box only hides: nothing saved, the edit kept in the window.
    EXPECT_FALSE(window().close());
    EXPECT_FALSE(window().isVisible() || form().Unloaded());
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    Tray(QSystemTrayIcon::Trigger);
    ASSERT_TRUE(window().isVisible());
    EXPECT_EQ(Entries().size(), 1);

    Click(window().btnClose);
    EXPECT_FALSE(window().isVisible() || form().Unloaded());
    EXPECT_EQ(IniValue("FileSets", "FileSet1"), "/more/*.*");

    // Without a notification area nothing could bring a hidden window back: it minimises.
    Tray(QSystemTrayIcon::Trigger);
    shell->desktop.SetTrayAvailable(false);
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible() && window().isMinimized());

    Answer([](QWidget& about) { static_cast<QDialog&>(about).reject(); });
    window().mnu_HelpAbout->trigger();
    window().mnu_FileExit->trigger();
    EXPECT_TRUE(answers.empty());
    EXPECT_TRUE(form().Unloaded());
    EXPECT_FALSE(window().isVisible() || window().SysTray1->isVisible());
}

TEST_F(WindowFlowTest, TheFilesetButtonsAndTheirBoxesReachTheirHandlers) {
    StartAndLoad(SavedIni(false, {"/a/*.*", "/b/*.*"}));
    const auto modify = [](QWidget& w) {
        auto& box = static_cast<QInputDialog&>(w);
        EXPECT_EQ(box.textValue(), "/a/*.*");
        box.setTextValue("/a/*.txt");
        box.accept();
    };
    const auto yes = [](QWidget& w) {
        static_cast<QMessageBox&>(w).button(QMessageBox::Yes)->click();
    };
    const QString added = QString::fromStdString(Fileset("src"));
    const struct {
        QAbstractButton* button;
        std::function<void(QWidget&)> answer;  // for the box the click opens, if any
        QStringList entries;
    } cases[] = {
        {window().btnDownPath, {}, {"/b/*.*", "/a/*.*"}},
        {window().btnUpPath, {}, {"/a/*.*", "/b/*.*"}},
        {window().btnModifyPath, modify, {"/a/*.txt", "/b/*.*"}},
        {window().btnDeletePath, yes, {"/b/*.*"}},
        {window().btnAddPath, Picker("Select folder to add:", dir.str("src")), {"/b/*.*", added}},
    };
    list().SetListIndex(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button->objectName().toStdString());
        if (c.answer)
            Answer(c.answer);
        Click(c.button);
        EXPECT_EQ(Entries(), c.entries);
    }
    EXPECT_EQ(window().focusWidget(), window().lstSyncFrom);

    window().txtSyncTo->setText(QStringLiteral("/typed"));
    Answer(Picker("Select folder to synchronize to:", ""));
    Click(window().btnToBrowse);
    EXPECT_EQ(window().txtSyncTo->text(), "/typed");  // cancelled: the typed path stays
    Answer(Picker("Select folder to synchronize to:", dir.str("src")));
    Click(window().btnToBrowse);
    EXPECT_EQ(window().txtSyncTo->text().toStdString(), dir.str("src"));
}

TEST_F(WindowFlowTest, TrayIconAndMenuFollowTheStateOfAnOnStart) {
    StartAndLoad(SavedIni(true, {Fileset("src")}));
    auto& tray = shell->controls.SysTray1;
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(window().SysTray1->isVisible());
    EXPECT_EQ(tray.trayicon(), &shell->controls.btnSyncOn.Picture());

    QCursor::setPos(500, 300);
    Tray(QSystemTrayIcon::Context);
    QMenu* popup = window().mnu_Popup;
    ASSERT_TRUE(popup->isVisible());
    EXPECT_FALSE(window().mnu_PopupDisabled->isChecked());
    EXPECT_NEAR(popup->geometry().right(), QCursor::pos().x(), 2);  // right edge on the pointer
    popup->hide();
    window().mnu_PopupDisabled->trigger();
    EXPECT_FALSE(form().SyncOn || window().Timer1->isActive());
    EXPECT_EQ(tray.trayicon(), &shell->controls.btnSyncOff.Picture());
    EXPECT_EQ(window().SysTray1->toolTip(), "Sync Disabled");
    EXPECT_FALSE(window().isVisible());  // the menu does not bring the window up

    Tray(QSystemTrayIcon::Context);
    EXPECT_TRUE(window().mnu_PopupDisabled->isChecked());
    popup->hide();
    Tray(QSystemTrayIcon::MiddleClick);  // does nothing at all
    EXPECT_FALSE(popup->isVisible() || window().isVisible());
    window().mnu_PopupProperties->trigger();
    EXPECT_TRUE(window().isVisible());
}

}  // namespace
