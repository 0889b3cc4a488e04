// The main window as it first appears: a layout in which nothing overlaps or is cut off, picture
// buttons that show their pictures, and the menus in their order.
#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

#include "tests/gui/GuiFixture.h"

namespace {

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

TEST_F(MainWindowTest, PicturesAndMenus) {
    StartAndLoad(SavedIni(false));
    auto& w = window();
    EXPECT_FALSE(w.windowIcon().isNull());
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
    const auto above = [](QWidget* a, QWidget* b) {
        return InWindow(a).bottom() < InWindow(b).top();
    };
    const auto leftOf = [](QWidget* a, QWidget* b) {
        return InWindow(a).right() < InWindow(b).left();
    };

    // The five picture buttons in a row, left to right, above the list.
    const QList<QWidget*> row = {w.btnAddPath, w.btnModifyPath, w.btnDeletePath, w.btnUpPath,
                                 w.btnDownPath};
    for (int i = 1; i < row.size(); ++i) {
        EXPECT_EQ(InWindow(row[i]).top(), InWindow(row[0]).top());
        EXPECT_TRUE(leftOf(row[i - 1], row[i])) << i;
    }
    EXPECT_TRUE(above(w.btnAddPath, w.lstSyncFrom));
    // Sync To below Sync From, its browse button right of the text box; Wakeup right of Sync
    // From, its text above its label, the title below; the command buttons in a column at the
    // right; the status bar at the bottom.
    EXPECT_TRUE(above(w.Frame2, w.Frame1));
    EXPECT_TRUE(leftOf(w.txtSyncTo, w.btnToBrowse));
    EXPECT_TRUE(leftOf(w.Frame2, w.Frame3));
    EXPECT_TRUE(above(w.txtWakeup, w.Label1));
    EXPECT_TRUE(above(w.Frame3, w.lblTitle));
    EXPECT_TRUE(leftOf(w.Frame3, w.btnClose));
    EXPECT_TRUE(above(w.btnClose, w.btnSyncToggle));
    EXPECT_TRUE(above(w.btnSyncToggle, w.btnTerminate));
    EXPECT_TRUE(above(w.Frame1, w.StatusBar1));
    // Panel 1 about an inch wide, the progress bar over it.
    EXPECT_NEAR(w.panel1->width(), w.logicalDpiX(), w.logicalDpiX() / 4);
    shell->controls.pgrStatus.SetVisible(true);
    QApplication::processEvents();
    EXPECT_TRUE(InWindow(w.panel1).contains(InWindow(w.pgrStatus)));
    EXPECT_TRUE(leftOf(w.panel1, w.panel2));

    // Every shown widget fits inside its parent, and every caption fits its button.
    for (QWidget* child : w.findChildren<QWidget*>()) {
        if (!child->isVisible() || child->parentWidget() == nullptr || child->isWindow())
            continue;
        EXPECT_TRUE(child->parentWidget()->rect().contains(child->geometry()))
            << child->objectName().toStdString() << " is cut off";
    }
    w.btnSyncToggle->setText(QStringLiteral("Stop Sync"));  // the longer of its captions
    for (QPushButton* b : {w.btnClose, w.btnSyncToggle, w.btnTerminate})
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
}

}  // namespace
