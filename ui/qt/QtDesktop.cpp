#include "ui/qt/QtDesktop.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <algorithm>
#include <vector>

#include "fileio/modWin32.h"
#include "ui/TextWrap.h"
#include "ui/qt/AboutDialog.h"
#include "ui/qt/ActivityLogWindow.h"
#include "ui/qt/HelpWindow.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Placement.h"
#include "ui/qt/QtText.h"

namespace brannock_qt {
namespace {

// The pop-up flag that puts the menu's right edge on the given point, and the one that
// centres it there.
constexpr int kPopupCenterAlign = 0x4;
constexpr int kPopupRightAlign = 0x8;

constexpr int kAnswerCancel = 2;
constexpr int kAnswerAbort = 3;
constexpr int kAnswerRetry = 4;
constexpr int kAnswerIgnore = 5;

struct BoxButton {
    QMessageBox::StandardButton button;
    int answer;
};

// The buttons of a box style in their order, so the default-button bits can count them.
std::vector<BoxButton> ButtonsOf(int style) {
    switch (style & msgbox::kButtonsMask) {
        case 1:
            return {{QMessageBox::Ok, msgbox::kOk}, {QMessageBox::Cancel, kAnswerCancel}};
        case 2:
            return {{QMessageBox::Abort, kAnswerAbort},
                    {QMessageBox::Retry, kAnswerRetry},
                    {QMessageBox::Ignore, kAnswerIgnore}};
        case 3:
            return {{QMessageBox::Yes, msgbox::kYes},
                    {QMessageBox::No, msgbox::kNo},
                    {QMessageBox::Cancel, kAnswerCancel}};
        case msgbox::kYesNo:
            return {{QMessageBox::Yes, msgbox::kYes}, {QMessageBox::No, msgbox::kNo}};
        case 5:
            return {{QMessageBox::Retry, kAnswerRetry}, {QMessageBox::Cancel, kAnswerCancel}};
        default:
            return {{QMessageBox::Ok, msgbox::kOk}};
    }
}

QMessageBox::Icon IconOf(int style) {
    switch (style & msgbox::kIconMask) {
        case msgbox::kCritical:
            return QMessageBox::Critical;
        case msgbox::kQuestion:
            return QMessageBox::Question;
        case msgbox::kExclamation:
            return QMessageBox::Warning;
        case msgbox::kInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// A box closed without a button (its close box) answers as Escape would.
int AnswerWithoutButton(const std::vector<BoxButton>& buttons) {
    for (const BoxButton& b : buttons) {
        if (b.answer == kAnswerCancel || b.answer == msgbox::kNo)
            return b.answer;
    }
    return buttons.back().answer;
}

// The widest line a message box shows as it is. Qt's box wraps its text at about this width
// too, but anywhere inside a long path; lines kept under it break where Wrap put them.
constexpr int kBoxLineWidth = 440;

// The prompt with its long paths broken after a separator rather than at any character.
QString BoxText(const std::string& prompt, const QFontMetrics& metrics) {
    return ToQ(textwrap::Wrap(prompt, [&metrics](std::string_view line) {
        return metrics.horizontalAdvance(ToQ(std::string(line))) <= kBoxLineWidth;
    }));
}

// Wide enough to show `text` whole, up to most of the screen's width.
int InputWidth(const QLineEdit& edit, const QString& text) {
    constexpr int kFrameAndCursor = 24;
    const int wanted = edit.fontMetrics().horizontalAdvance(text) + kFrameAndCursor;
    const QScreen* screen = edit.screen();
    const int most = screen != nullptr ? screen->availableGeometry().width() * 4 / 5 : wanted;
    return std::clamp(wanted, edit.minimumSizeHint().width(), std::max(most, 1));
}

}  // namespace

QtDesktop::QtDesktop(MainWindow& window) : m_window(window) {}

void QtDesktop::DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Once the window is unloaded the program is ending: no new window may hold it up, so a box
// asked for then answers as if dismissed.
int QtDesktop::MsgBox(const std::string& prompt, int style, const std::string& title) {
    if (m_unloaded)
        return AnswerWithoutButton(ButtonsOf(style));
    QMessageBox box(IconOf(style), ToQ(title), {}, QMessageBox::NoButton, &m_window);
    box.setText(BoxText(prompt, box.fontMetrics()));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    const std::vector<BoxButton> buttons = ButtonsOf(style);
    for (const BoxButton& b : buttons)
        box.addButton(b.button);
    const std::size_t defaultIndex =
        static_cast<std::size_t>((style & msgbox::kDefaultMask) / msgbox::kDefaultButton2);
    box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0].button);

    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    for (const BoxButton& b : buttons) {
        if (clicked != nullptr && clicked == box.button(b.button))
            return b.answer;
    }
    return AnswerWithoutButton(buttons);
}

std::string QtDesktop::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultAnswer) {
    if (m_unloaded)
        return {};
    QInputDialog dialog(&m_window);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(ToQ(title));
    dialog.setLabelText(ToQ(prompt));
    const QString shownDefault = ToQ(defaultAnswer);
    dialog.setTextValue(shownDefault);
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setMinimumWidth(InputWidth(*edit, shownDefault));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    // An answer left as offered is the offered text itself, byte for byte.
    const QString answer = dialog.textValue();
    return answer == shownDefault ? defaultAnswer : FromQ(answer);
}

void QtDesktop::ShowMainWindow() {
    if (m_unloaded)
        return;
    if (!m_placed) {
        // Placed by the program, so that a box shown at once (the About box at start-up) can
        // be centred over it before the desktop has mapped it.
        CentreOver(m_window, nullptr);
        m_placed = true;
    }
    if (m_window.isMinimized())
        m_window.showNormal();
    else
        m_window.show();
    m_window.raise();
    m_window.activateWindow();
}

void QtDesktop::HideMainWindow() {
    if (m_trayAvailable)
        m_window.hide();
    else
        m_window.showMinimized();
}

bool QtDesktop::MainWindowVisible() const {
    return m_window.isVisible();
}

void QtDesktop::UnloadMainWindow() {
    m_unloaded = true;
    m_window.SysTray1->hide();
    m_window.AllowClose();
    m_window.hide();
    // The loop ends once control is back in it; before the loop runs this does nothing, and
    // the start-up does not enter the loop then.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void QtDesktop::ShowAboutBox() {
    if (m_unloaded)
        return;
    brannock_qt::ShowAboutBox(&m_window);
}

void QtDesktop::PopupTrayMenu(int flags) {
    QMenu* menu = m_window.mnu_Popup;
    QPoint at = QCursor::pos();
    const int width = menu->sizeHint().width();
    if (flags & kPopupRightAlign)
        at.rx() -= width;
    else if (flags & kPopupCenterAlign)
        at.rx() -= width / 2;
    menu->popup(at);
}

bool QtDesktop::ShowHelpFile(const std::string& path) {
    return ShowHelpWindow(&m_window, ToQ(path));
}

void QtDesktop::ShowActivityLog(const std::string& path) {
    if (m_unloaded)
        return;
    ShowActivityLogWindow(&m_window, path);
}

HWND QtDesktop::MainWindowHandle() const {
    return reinterpret_cast<HWND>(m_window.winId());
}

void RegisterQtFolderPicker(MainWindow& window) {
#ifndef _WIN32
    // The owner handle passed in is always this window's, so the dialog takes the window.
    RegisterFolderPicker([&window](HWND, const std::string& title) {
        const QString folder = QFileDialog::getExistingDirectory(&window, ToQ(title));
        return FromQ(QDir::toNativeSeparators(folder));
    });
#else
    (void)window;  // the platform's own picker serves
#endif
}

}  // namespace brannock_qt
