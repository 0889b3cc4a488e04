// The program as the user drives it: start-up, the close box and the buttons, the fileset
// editor with its boxes and pickers, the tray icon with its menu, and the menus.
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
    // Answers the next folder picker with `folder`, or cancels it when `folder` is empty.
    void PickFolder(const std::string& expectedTitle, const std::string& folder) {
        Answer([expectedTitle, folder](QWidget& w) {
            auto* picker = qobject_cast<QFileDialog*>(&w);
            ASSERT_NE(picker, nullptr) << "expected the folder picker";
            EXPECT_EQ(picker->windowTitle().toStdString(), expectedTitle);
            if (folder.empty())
                return picker->reject();
            picker->selectFile(QString::fromStdString(folder));
            QMetaObject::invokeMethod(picker, "accept");
        });
    }
    void Tray(QSystemTrayIcon::ActivationReason reason) {
        emit window().SysTray1->activated(reason);
    }
};

TEST_F(WindowFlowTest, FirstStartThenTheCloseBoxCloseAndTerminate) {
    Answer([this](QWidget& about) {
        EXPECT_TRUE(window().isVisible());
        EXPECT_EQ(about.parentWidget(), &window());
        static_cast<QDialog&>(about).reject();
    });
    StartAndLoad("");
    EXPECT_TRUE(answers.empty());
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

    Tray(QSystemTrayIcon::Trigger);
    Click(window().btnTerminate);
    EXPECT_TRUE(form().Unloaded());
    EXPECT_FALSE(window().isVisible() || window().SysTray1->isVisible());
}

// Without a notification area nothing could bring a hidden window back.
TEST_F(WindowFlowTest, WithoutATrayTheCloseBoxMinimisesInstead) {
    StartAndLoad(SavedIni(false, {}));
    shell->desktop.SetTrayAvailable(false);
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible() && window().isMinimized());
    EXPECT_FALSE(form().Unloaded());
}

TEST_F(WindowFlowTest, AddAndBrowseAskTheFolderPicker) {
    StartAndLoad(SavedIni(false));
    const std::string src = dir.str("src");
    PickFolder("Select folder to add:", src);
    Click(window().btnAddPath);
    EXPECT_EQ(Entries(), QStringList({QString::fromStdString(Fileset("src"))}));
    EXPECT_EQ(window().focusWidget(), window().lstSyncFrom);

    window().txtSyncTo->setText(QStringLiteral("/typed"));
    PickFolder("Select folder to synchronize to:", "");
    Click(window().btnToBrowse);
    EXPECT_EQ(window().txtSyncTo->text(), "/typed");  // cancelled: the typed path stays
    PickFolder("Select folder to synchronize to:", src);
    Click(window().btnToBrowse);
    EXPECT_EQ(window().txtSyncTo->text().toStdString(), src);
}

TEST_F(WindowFlowTest, ModifyDeleteAndMoveWorkOnTheSelectedEntry) {
    StartAndLoad(SavedIni(false, {"/a/*.*", "/b/*.*"}));
    list().SetListIndex(0);
    Click(window().btnDownPath);
    EXPECT_EQ(Entries(), QStringList({"/b/*.*", "/a/*.*"}));
    Click(window().btnUpPath);
    EXPECT_EQ(Entries(), QStringList({"/a/*.*", "/b/*.*"}));

    Answer([](QWidget& w) {
        auto& box = static_cast<QInputDialog&>(w);
        EXPECT_EQ(box.windowTitle(), "Modify Fileset");
        EXPECT_EQ(box.textValue(), "/a/*.*");
        box.setTextValue("/a/*.txt");
        box.accept();
    });
    Click(window().btnModifyPath);
    EXPECT_EQ(Entries(), QStringList({"/a/*.txt", "/b/*.*"}));

    Answer([](QWidget& w) { static_cast<QMessageBox&>(w).button(QMessageBox::Yes)->click(); });
    Click(window().btnDeletePath);
    EXPECT_EQ(Entries(), QStringList({"/b/*.*"}));
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

    // A left click, again, and Properties show the window as it stands.
    form().ApplySyncState(true);
    Tray(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().btnSyncToggle->text(), "Stop Sync");
    EXPECT_FALSE(window().btnAddPath->isEnabled());
    Tray(QSystemTrayIcon::Trigger);
    window().mnu_PopupProperties->trigger();
    EXPECT_TRUE(window().isVisible());
}

TEST_F(WindowFlowTest, HelpAboutAndExitMenus) {
    StartAndLoad(SavedIni(false));
    // No help file beside the program: no box, nothing changes.
    window().mnuHelpContents->trigger();
    EXPECT_FALSE(shell->desktop.ShowHelpFile(dir.str("prog/none.hlp")));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    Answer([](QWidget& about) {
        EXPECT_EQ(about.windowTitle(), "About Brannock");
        static_cast<QDialog&>(about).reject();
    });
    window().mnu_HelpAbout->trigger();
    EXPECT_TRUE(answers.empty());
    window().mnu_FileExit->trigger();
    EXPECT_TRUE(form().Unloaded());
}

}  // namespace
