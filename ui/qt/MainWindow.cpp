#include "ui/qt/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/AppInfo.h"
#include "ui/qt/AppPictures.h"

namespace brannock_qt {
namespace {

constexpr int kPictureSize = 16;

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QToolButton* PictureButton(const char* name, ButtonPicture picture, const char* toolTip,
                           QWidget* parent) {
    auto* button = Named(new QToolButton(parent), name);
    button->setIcon(ButtonIcon(picture));
    button->setIconSize(QSize(kPictureSize, kPictureSize));
    button->setToolTip(QString::fromLatin1(toolTip));
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(app::kTitle));
    setWindowIcon(AppIcon());

    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->addWidget(BuildSyncFrom(), 0, 0);
    grid->addWidget(BuildWakeup(), 0, 1);
    grid->addWidget(BuildCommandButtons(), 0, 2);
    grid->addWidget(BuildSyncTo(), 1, 0, 1, 3);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    setCentralWidget(central);

    BuildStatusBar();
    BuildMenus();
    BuildHiddenControls();
    resize(560, 340);
}

QWidget* MainWindow::BuildSyncFrom() {
    Frame2 = Named(new QGroupBox(QStringLiteral("Sync From:")), "Frame2");
    btnAddPath = PictureButton("btnAddPath", ButtonPicture::Add, "Add Fileset", Frame2);
    btnModifyPath = PictureButton("btnModifyPath", ButtonPicture::Modify, "Modify Fileset", Frame2);
    btnDeletePath = PictureButton("btnDeletePath", ButtonPicture::Delete, "Delete Fileset", Frame2);
    btnUpPath = PictureButton("btnUpPath", ButtonPicture::Up, "Fileset Up", Frame2);
    btnDownPath = PictureButton("btnDownPath", ButtonPicture::Down, "Fileset Down", Frame2);
    lstSyncFrom = Named(new QListWidget(Frame2), "lstSyncFrom");
    lstSyncFrom->setToolTip(QStringLiteral("Filesets to sync"));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    for (QToolButton* button : {btnAddPath, btnModifyPath, btnDeletePath, btnUpPath, btnDownPath})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(Frame2);
    layout->addLayout(buttons);
    layout->addWidget(lstSyncFrom, 1);
    return Frame2;
}

QWidget* MainWindow::BuildSyncTo() {
    Frame1 = Named(new QGroupBox(QStringLiteral("Sync To:")), "Frame1");
    txtSyncTo = Named(new QLineEdit(Frame1), "txtSyncTo");
    txtSyncTo->setToolTip(QStringLiteral("To Sync Path"));
    btnToBrowse = Named(new QToolButton(Frame1), "btnToBrowse");
    btnToBrowse->setIcon(ButtonIcon(ButtonPicture::Browse));
    btnToBrowse->setIconSize(QSize(kPictureSize, kPictureSize));
    btnToBrowse->setFocusPolicy(Qt::StrongFocus);

    auto* layout = new QHBoxLayout(Frame1);
    layout->addWidget(txtSyncTo, 1);
    layout->addWidget(btnToBrowse);
    return Frame1;
}

QWidget* MainWindow::BuildWakeup() {
    Frame3 = Named(new QGroupBox(QStringLiteral("Wakeup:")), "Frame3");
    txtWakeup = Named(new QLineEdit(Frame3), "txtWakeup");
    txtWakeup->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8);
    Label1 = Named(new QLabel(QStringLiteral("in minutes"), Frame3), "Label1");

    auto* frameLayout = new QVBoxLayout(Frame3);
    frameLayout->addWidget(txtWakeup, 0, Qt::AlignHCenter);
    frameLayout->addWidget(Label1, 0, Qt::AlignHCenter);

    lblTitle = Named(new QLabel, "lblTitle");
    lblTitle->setAlignment(Qt::AlignCenter);

    // The title stands under the frame, in the column right of the fileset list.
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Frame3);
    layout->addWidget(lblTitle);
    layout->addStretch(1);
    return column;
}

QWidget* MainWindow::BuildCommandButtons() {
    btnClose = Named(new QPushButton(QStringLiteral("C&lose")), "btnClose");
    btnSyncToggle = Named(new QPushButton(QStringLiteral("Start Sync")), "btnSyncToggle");
    btnTerminate = Named(new QPushButton(QStringLiteral("&Terminate Program")), "btnTerminate");

    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    // Same width for all three, the widest caption's, whatever the caption becomes later.
    const int width = btnTerminate->sizeHint().width() + fontMetrics().averageCharWidth() * 2;
    for (QPushButton* button : {btnClose, btnSyncToggle, btnTerminate}) {
        button->setAutoDefault(false);
        button->setFixedWidth(width);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return column;
}

void MainWindow::BuildStatusBar() {
    StatusBar1 = Named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(true);

    // Panel 1, about an inch wide, with the progress bar lying over it.
    panel1 = Named(new QLabel(StatusBar1), "StatusBar1_Panel1");
    panel1->setFixedWidth(logicalDpiX());
    panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pgrStatus = Named(new QProgressBar(panel1), "pgrStatus");
    pgrStatus->setTextVisible(false);
    auto* overlay = new QHBoxLayout(panel1);
    overlay->setContentsMargins(1, 1, 1, 1);
    overlay->addWidget(pgrStatus);

    panel2 = Named(new QLabel(StatusBar1), "StatusBar1_Panel2");
    panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel2->setMinimumWidth(1);  // a long file name must not widen the window

    StatusBar1->addWidget(panel1);
    StatusBar1->addWidget(panel2, 1);
    setStatusBar(StatusBar1);
}

void MainWindow::BuildMenus() {
    mnu_File = Named(menuBar()->addMenu(QStringLiteral("&File")), "mnu_File");
    mnu_FileLog = Named(mnu_File->addAction(QStringLiteral("&Activity Log...")), "mnu_FileLog");
    mnu_FileExit = Named(mnu_File->addAction(QStringLiteral("E&xit")), "mnu_FileExit");
    mnu_Help = Named(menuBar()->addMenu(QStringLiteral("&Help")), "mnu_Help");
    mnuHelpContents = Named(mnu_Help->addAction(QStringLiteral("&Contents...")), "mnuHelpContents");
    mnu_HelpAbout = Named(mnu_Help->addAction(QStringLiteral("&About...")), "mnu_HelpAbout");

    // The tray's menu: never in the menu bar, only opened from the tray icon.
    mnu_Popup = Named(new QMenu(QStringLiteral("Popup"), this), "mnu_Popup");
    mnu_PopupProperties =
        Named(mnu_Popup->addAction(QStringLiteral("&Properties")), "mnu_PopupProperties");
    mnu_PopupLog = Named(mnu_Popup->addAction(QStringLiteral("&Activity Log...")), "mnu_PopupLog");
    mnu_PopupDisabled =
        Named(mnu_Popup->addAction(QStringLiteral("&Disabled")), "mnu_PopupDisabled");
    mnu_PopupDisabled->setCheckable(true);
    mnu_PopupSep1 = Named(mnu_Popup->addSeparator(), "mnu_PopupSep1");
    mnu_PopupTerminate =
        Named(mnu_Popup->addAction(QStringLiteral("&Terminate")), "mnu_PopupTerminate");
}

void MainWindow::BuildHiddenControls() {
    // The two holders of the tray's pictures are never shown.
    btnSyncOn = Named(new QPushButton(centralWidget()), "btnSyncOn");
    btnSyncOff = Named(new QPushButton(centralWidget()), "btnSyncOff");
    for (QPushButton* button : {btnSyncOn, btnSyncOff}) {
        button->setIconSize(QSize(kPictureSize, kPictureSize));
        button->hide();
    }
    Timer1 = Named(new QTimer(this), "Timer1");
    SysTray1 = Named(new QSystemTrayIcon(this), "SysTray1");
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closeAllowed || !onCloseRequest || onCloseRequest())
        event->accept();
    else
        event->ignore();
}

}  // namespace brannock_qt
