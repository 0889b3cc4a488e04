// Hands the key presses of one widget to a key-press handler that works on character codes,
// as the form's `txtWakeup_KeyPress` does: the handler may set the code to 0 to discard the key.
#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;

namespace brannock_qt {

// The character code a key press types: 8 for backspace, the control character of Ctrl and a
// letter (22 for Ctrl+V), else the typed character; -1 for keys that type nothing (arrows,
// Delete, Home, Tab, function keys), which no key-press handler sees.
int KeyAsciiOf(const QKeyEvent& event);

class KeyPressFilter : public QObject {
    Q_OBJECT
  public:
    using Handler = std::function<void(int& keyAscii)>;
    KeyPressFilter(Handler handler, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Handler m_handler;
};

}  // namespace brannock_qt
