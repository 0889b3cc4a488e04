// The notification-area icon over Shell_NotifyIconW, owned by the main window, and the
// decoding of its callback message into the form's mouse buttons.
#pragma once

#include <string>

#include "ui/controls.h"

namespace brannock_win32 {

class Win32Picture;

// The form's numbers for the tray's buttons; 0 for an event that is no click.
namespace tray_button {
inline constexpr int kNone = 0;
inline constexpr int kLeft = 1;
inline constexpr int kRight = 2;
inline constexpr int kMiddle = 4;
}  // namespace tray_button

// `text` for one of the icon's fixed fields of `units` UTF-16 units, the last one for the
// terminating zero: when it is too long, its paths lose their middles first, so the end of a
// failure's text, its cause, is kept.
std::wstring TrayText(const std::string& text, std::size_t units);

// The button a callback (wParam, lParam) stands for. With version 4 the event is the low word
// of lParam, and a left click or the keyboard come as NIN_SELECT/NIN_KEYSELECT, a right click as
// WM_CONTEXTMENU (each after its button-up, which is then not a click of its own); before
// version 4, lParam is the mouse message itself.
int TrayButton(LPARAM lParam, bool version4);
// Whether a callback is the user's click on the icon's notice; both layouts carry it in the low
// word of lParam.
bool TrayBalloonClicked(LPARAM lParam);

class Win32SysTray : public ISysTray {
  public:
    // `defaultPicture` shows until the first set_trayicon.
    Win32SysTray(HWND owner, const Win32Picture& defaultPicture);
    ~Win32SysTray() override;
    Win32SysTray(const Win32SysTray&) = delete;
    Win32SysTray& operator=(const Win32SysTray&) = delete;

    bool intray() const override { return m_inTray; }
    void set_intray(bool inTray) override;
    const IPicture* trayicon() const override { return m_picture; }
    void set_trayicon(const IPicture& picture) override;
    std::string traytip() const override { return m_tip; }
    void set_traytip(const std::string& tip) override;
    void ShowBalloon(const std::string& title, const std::string& text) override;

    // The taskbar was created anew (Explorer restarted): the icon goes back while in the tray.
    void Readd();
    // Takes the icon away for good, once, as the session or the program ends.
    void Remove();
    bool Version4() const { return m_version4; }
    int ButtonOf(LPARAM lParam) const { return TrayButton(lParam, m_version4); }

  private:
    bool Add();
    void Modify();
    HICON CurrentIcon() const;

    HWND m_owner;
    const Win32Picture& m_default;
    const IPicture* m_picture = nullptr;
    std::string m_tip;
    bool m_inTray = false;
    bool m_shown = false;  // the shell holds the icon now
    bool m_version4 = false;
};

}  // namespace brannock_win32
