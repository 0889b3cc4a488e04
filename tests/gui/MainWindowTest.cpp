// The main window as it first appears: picture buttons that show their pictures, the menus in
// their order, and a layout in which nothing overlaps or is cut off.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
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
bool Above(QWidget* a, QWidget* b) {
    return InWindow(a).bottom() < InWindow(b).top();
}
bool LeftOf(QWidget* a, QWidget* b) {
    return InWindow(a).right() < InWindow(b).left();
}

QStringList ActionTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

using MainWindowTest = GuiFixture;

TEST_F(MainWindowTest, PicturesMenusAndLayout) {
    StartAndLoad(SavedIni(false, {Fileset("src")}));
    auto& w = window();
    ASSERT_TRUE(w.isVisible());
    QApplication::processEvents();
    EXPECT_FALSE(w.windowIcon().isNull());
    const QList<QAbstractButton*> row = {w.btnAddPath, w.btnModifyPath, w.btnDeletePath,
                                         w.btnUpPath, w.btnDownPath};
    for (QAbstractButton* b : row + QList<QAbstractButton*>{w.btnToBrowse})
        EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
    // The tray's picture holders and the progress bar do not show with the window.
    EXPECT_FALSE(w.btnSyncOn->isVisible() || w.btnSyncOff->isVisible() || w.pgrStatus->isVisible());

    EXPECT_EQ(w.menuBar()->actions(),
              QList<QAction*>({w.mnu_File->menuAction(), w.mnu_Help->menuAction()}));
    EXPECT_EQ(ActionTexts(w.mnu_File) + ActionTexts(w.mnu_Help) + ActionTexts(w.mnu_Popup),
              QStringList({"E&xit", "&Contents...", "&About...", "&Properties", "&Disabled", "-",
                           "&Terminate"}));

    // The picture buttons in a row above the list, the command buttons in a column.
    for (int i = 1; i < row.size(); ++i)
        EXPECT_TRUE(LeftOf(row[i - 1], row[i])) << i;
    EXPECT_TRUE(Above(w.btnAddPath, w.lstSyncFrom) && Above(w.Frame2, w.Frame1));
    EXPECT_TRUE(Above(w.btnClose, w.btnSyncToggle) && Above(w.btnSyncToggle, w.btnTerminate));
    // Panel 1 about an inch wide, the progress bar over it.
    EXPECT_NEAR(w.panel1->width(), w.logicalDpiX(), w.logicalDpiX() / 4);
    shell->controls.pgrStatus.SetVisible(true);
    QApplication::processEvents();
    EXPECT_TRUE(InWindow(w.panel1).contains(InWindow(w.pgrStatus)));

    // Every shown widget fits inside its parent, and every caption fits its button.
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

}  // namespace
