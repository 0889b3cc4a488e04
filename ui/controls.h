// The controls and the desktop that the main window's logic drives. They are small
// interfaces so that the logic never sees a widget toolkit: ui/qt/ implements them with Qt
// widgets, ui/headless/ with plain members for tests and benchmarks.
#pragma once

#include <string>

#include "platform/win32.h"
#include "runtime/DateValue.h"

// Message box styles and answers, as the platform's MessageBox numbers them.
namespace msgbox {
inline constexpr int kOkOnly = 0;
inline constexpr int kYesNo = 4;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr int kDefaultButton2 = 256;
inline constexpr int kButtonsMask = 0x0F;
inline constexpr int kIconMask = 0xF0;
inline constexpr int kDefaultMask = 0xF00;

inline constexpr int kOk = 1;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
}  // namespace msgbox

class IControl {
  public:
    virtual ~IControl() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetFocus() = 0;
};

class ITextBox : public IControl {
  public:
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

// An unsorted list box with at most one selected item; positions are 0-based, -1 is none.
class IListBox : public IControl {
  public:
    virtual int ListCount() const = 0;
    virtual std::string List(int index) const = 0;
    virtual void SetList(int index, const std::string& text) = 0;
    virtual void AddItem(const std::string& text) = 0;
    virtual void RemoveItem(int index) = 0;
    virtual int ListIndex() const = 0;
    virtual void SetListIndex(int index) = 0;
};

class IButton : public IControl {
  public:
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
};

// A picture as a control holds it; the tray icon takes the object itself, not a copy.
class IPicture {
  public:
    virtual ~IPicture() = default;
    virtual std::string Name() const = 0;
};

class IPictureButton : public IButton {
  public:
    virtual const IPicture& Picture() const = 0;
};

class ILabel {
  public:
    virtual ~ILabel() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
};

class IStatusPanel {
  public:
    virtual ~IStatusPanel() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual std::string ToolTipText() const = 0;
    virtual void SetToolTipText(const std::string& text) = 0;
};

class IStatusBar {
  public:
    virtual ~IStatusBar() = default;
    // Panels by their 1-based index.
    virtual IStatusPanel& Panels(int index) = 0;
};

class IProgressBar {
  public:
    virtual ~IProgressBar() = default;
    virtual int Value() const = 0;
    virtual void SetValue(int value) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
};

// A window timer; the period is in milliseconds, 0 meaning stopped. Setting a period restarts
// the count from zero.
class ITimer {
  public:
    virtual ~ITimer() = default;
    virtual int Interval() const = 0;
    virtual void SetInterval(int milliseconds) = 0;
};

// The notification-area icon.
class ISysTray {
  public:
    virtual ~ISysTray() = default;
    virtual bool intray() const = 0;
    virtual void set_intray(bool inTray) = 0;
    // The picture shown; nullptr until the first set_trayicon (the window's own icon shows).
    virtual const IPicture* trayicon() const = 0;
    virtual void set_trayicon(const IPicture& picture) = 0;
    // The tip: one line of state, sometimes a second with the reason for it. A shell cuts it
    // to what its platform shows.
    virtual std::string traytip() const = 0;
    virtual void set_traytip(const std::string& tip) = 0;
    // A notification balloon from the icon, shown once and gone by itself; `text` may hold
    // line feeds. A shell cuts title and text to what its platform shows.
    virtual void ShowBalloon(const std::string& title, const std::string& text) = 0;
};

class IMenuItem {
  public:
    virtual ~IMenuItem() = default;
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool checked) = 0;
};

// A clickable link: it shows a text and opens its target (a web or "mailto:" address) with the
// desktop's default program. A link with an empty caption is left out of its window, together
// with a label whose caption is empty.
class ILink {
  public:
    virtual ~ILink() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::string Target() const = 0;
    virtual void SetTarget(const std::string& target) = 0;
};

// A window as its own logic sees it: its caption, and unloading it.
class IWindow {
  public:
    virtual ~IWindow() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void Unload() = 0;
};

// The desktop around the main window: the message loop, modal boxes and the window itself.
class IDesktop {
  public:
    virtual ~IDesktop() = default;
    // Lets queued window events run once.
    virtual void DoEvents() = 0;
    // A modal message box; returns the answer (msgbox::kOk, kYes, kNo).
    virtual int MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
    // A modal input box; returns the answer, "" for Cancel.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultAnswer) = 0;
    virtual void ShowMainWindow() = 0;
    virtual void HideMainWindow() = 0;
    virtual bool MainWindowVisible() const = 0;
    // Unloads the main window, which ends the program once control returns to the loop.
    virtual void UnloadMainWindow() = 0;
    // Shows the About window modally, owned by the main window.
    virtual void ShowAboutBox() = 0;
    // Opens the tray's pop-up menu at the mouse pointer.
    virtual void PopupTrayMenu(int flags) = 0;
    // Shows a help file (Markdown text) in the program's help window, a scrollable read-only
    // view owned by the main window and closed with Esc; false when the file cannot be read.
    virtual bool ShowHelpFile(const std::string& path) = 0;
    // Shows the activity log file in the program's non-modal Activity Log window, owned by the
    // main window, scrolled to its end and following new lines; closed with Esc.
    virtual void ShowActivityLog(const std::string& path) = 0;
    // The owner handle for platform dialogs (the folder picker).
    virtual HWND MainWindowHandle() const = 0;
};

// The clock the scheduler reads; tests set and advance it.
class IClock {
  public:
    virtual ~IClock() = default;
    virtual runtime::DateValue Now() const = 0;
};

class SystemClock : public IClock {
  public:
    runtime::DateValue Now() const override { return runtime::SystemNow(); }
};
