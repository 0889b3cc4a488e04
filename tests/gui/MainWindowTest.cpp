// The main window as it first appears: every control by its name with its design-time texts,
// the menus, and a layout in which nothing overlaps or is cut off.
#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "tests/gui/GuiFixture.h"

namespace {

QString Tip(QWidget& window, const char* name) {
    auto* widget = window.findChild<QWidget*>(QString::fromLatin1(name));
    return widget == nullptr ? QStringLiteral("<missing>") : widget->toolTip();
}

QRect InWindow(QWidget* widget) {
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

QStringList ActionTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

class MainWindowTest : public GuiFixture {};

TEST_F(MainWindowTest, ControlsAndMenusCarryTheirNamesAndTexts) {
    StartAndLoad(SavedIni(false));
    auto& w = window();
    EXPECT_EQ(w.windowTitle(), "Brannock");
    EXPECT_FALSE(w.windowIcon().isNull());

    EXPECT_EQ(Tip(w, "lstSyncFrom"), "Filesets to sync");
    EXPECT_EQ(Tip(w, "btnAddPath"), "Add Fileset");
    EXPECT_EQ(Tip(w, "btnModifyPath"), "Modify Fileset");
    EXPECT_EQ(Tip(w, "btnDeletePath"), "Delete Fileset");
    EXPECT_EQ(Tip(w, "btnUpPath"), "Fileset Up");
    EXPECT_EQ(Tip(w, "btnDownPath"), "Fileset Down");
    EXPECT_EQ(Tip(w, "txtSyncTo"), "To Sync Path");
    EXPECT_EQ(Tip(w, "btnToBrowse"), "");

    EXPECT_EQ(w.Frame2->title(), "Sync From:");
    EXPECT_EQ(w.Frame1->title(), "Sync To:");
    EXPECT_EQ(w.Frame3->title(), "Wakeup:");
    EXPECT_EQ(w.Label1->text(), "in minutes");
    EXPECT_EQ(w.lblTitle->text(), "Brannock v1.0.2");
    EXPECT_EQ(w.btnClose->text(), "C&lose");
    EXPECT_EQ(w.btnSyncToggle->text(), "Start Sync");
    EXPECT_EQ(w.btnTerminate->text(), "&Terminate Program");

    // Picture buttons show a 16x16 picture and no caption.
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{w.btnAddPath, w.btnModifyPath, w.btnDeletePath,
                                                 w.btnUpPath, w.btnDownPath, w.btnToBrowse}) {
        EXPECT_TRUE(b->text().isEmpty()) << b->objectName().toStdString();
        EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
        EXPECT_EQ(b->iconSize(), QSize(16, 16));
    }
    // The tray's picture holders and the progress bar do not show with the window.
    EXPECT_FALSE(w.btnSyncOn->isVisible() || w.btnSyncOff->isVisible());
    EXPECT_FALSE(w.pgrStatus->isVisible());

    EXPECT_EQ(w.menuBar()->actions(),
              QList<QAction*>({w.mnu_File->menuAction(), w.mnu_Help->menuAction()}));
    EXPECT_EQ(w.mnu_File->title(), "&File");
    EXPECT_EQ(w.mnu_Help->title(), "&Help");
    EXPECT_EQ(ActionTexts(w.mnu_File), QStringList({"E&xit"}));
    EXPECT_EQ(ActionTexts(w.mnu_Help), QStringList({"&Contents...", "&About..."}));
    EXPECT_EQ(ActionTexts(w.mnu_Popup),
              QStringList({"&Properties", "&Disabled", "-", "&Terminate"}));
    EXPECT_TRUE(w.mnu_PopupDisabled->isCheckable());
}

TEST_F(MainWindowTest, LayoutPlacesEachGroupAndCutsNothingOff) {
    StartAndLoad(SavedIni(false, {Fileset("src")}));
    auto& w = window();
    ASSERT_TRUE(w.isVisible());
    QApplication::processEvents();

    // The five picture buttons in a row, left to right, above the list.
    const QList<QWidget*> row = {w.btnAddPath, w.btnModifyPath, w.btnDeletePath, w.btnUpPath,
                                 w.btnDownPath};
    for (int i = 1; i < row.size(); ++i) {
        EXPECT_EQ(InWindow(row[i]).top(), InWindow(row[0]).top());
        EXPECT_GT(InWindow(row[i]).left(), InWindow(row[i - 1]).right());
    }
    EXPECT_GT(InWindow(w.lstSyncFrom).top(), InWindow(w.btnAddPath).bottom());
    // Sync To below Sync From, its browse button at the right end of the text box.
    EXPECT_GT(InWindow(w.Frame1).top(), InWindow(w.Frame2).bottom());
    EXPECT_GT(InWindow(w.btnToBrowse).left(), InWindow(w.txtSyncTo).right());
    // Wakeup right of Sync From, text above its label, the title below the frame.
    EXPECT_GT(InWindow(w.Frame3).left(), InWindow(w.Frame2).right());
    EXPECT_GT(InWindow(w.Label1).top(), InWindow(w.txtWakeup).bottom());
    EXPECT_GT(InWindow(w.lblTitle).top(), InWindow(w.Frame3).bottom());
    // The command buttons in one column at the right edge, top to bottom.
    EXPECT_GT(InWindow(w.btnClose).left(), InWindow(w.Frame3).right());
    EXPECT_GT(InWindow(w.btnSyncToggle).top(), InWindow(w.btnClose).bottom());
    EXPECT_GT(InWindow(w.btnTerminate).top(), InWindow(w.btnSyncToggle).bottom());
    // The status bar along the bottom; panel 1 about an inch wide, the progress bar over it.
    EXPECT_GT(InWindow(w.StatusBar1).top(), InWindow(w.Frame1).bottom());
    EXPECT_NEAR(w.panel1->width(), w.logicalDpiX(), w.logicalDpiX() / 4);
    shell->controls.pgrStatus.SetVisible(true);
    QApplication::processEvents();
    EXPECT_TRUE(InWindow(w.panel1).contains(InWindow(w.pgrStatus)));
    EXPECT_GT(InWindow(w.panel2).left(), InWindow(w.panel1).right());

    // Every shown widget fits inside its parent, and every caption fits its button.
    for (QWidget* child : w.findChildren<QWidget*>()) {
        if (!child->isVisible() || child->parentWidget() == nullptr || child->isWindow())
            continue;
        EXPECT_TRUE(child->parentWidget()->rect().contains(child->geometry()))
            << child->objectName().toStdString() << " is cut off";
    }
    for (QPushButton* b : {w.btnClose, w.btnSyncToggle, w.btnTerminate}) {
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
    }
    // The toggle's other caption fits as well.
    w.btnSyncToggle->setText(QStringLiteral("Stop Sync"));
    EXPECT_GE(w.btnSyncToggle->width(), w.btnSyncToggle->sizeHint().width());
}

}  // namespace
