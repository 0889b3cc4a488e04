#include "ui/qt/KeyFilter.h"

#include <QKeyEvent>

namespace brannock_qt {
namespace {

constexpr int kBackspace = 8;
constexpr int kDeleteCharacter = 0x7F;  // some desktops give the Delete key this text

}  // namespace

int KeyAsciiOf(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Backspace)
        return kBackspace;
    // Focus moves and editing keys are the window's and the box's own, never a character.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete)
        return -1;
    const QString text = event.text();
    if (!text.isEmpty()) {
        const int code = text.at(0).unicode();
        return code == kDeleteCharacter ? -1 : code;
    }
    // Without a text from the desktop, Ctrl and a letter still type their control character.
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return '\r';
    if (key == Qt::Key_Escape)
        return 27;
    return -1;
}

KeyPressFilter::KeyPressFilter(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {}

bool KeyPressFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    int code = KeyAsciiOf(*static_cast<QKeyEvent*>(event));
    if (code < 0)
        return false;
    m_handler(code);
    return code == 0;  // a 0 from the handler swallows the key
}

}  // namespace brannock_qt
