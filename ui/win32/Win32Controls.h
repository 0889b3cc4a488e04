// The main window's controls as the form's logic sees them (ui/controls.h), each over one
// native control of the main window. Texts cross into UTF-16 in Win32Text only.
#pragma once

#include <map>
#include <string>

#include "ui/controls.h"

namespace brannock_win32 {

// Enabling and focus, alike for every control over one window.
template <class Interface>
class HwndControl : public Interface {
  public:
    explicit HwndControl(HWND hwnd) : m_hwnd(hwnd) {}
    bool Enabled() const override { return IsWindowEnabled(m_hwnd) != FALSE; }
    void SetEnabled(bool enabled) override;
    void SetFocus() override { ::SetFocus(m_hwnd); }
    HWND Handle() const { return m_hwnd; }

  protected:
    HWND m_hwnd;
};

class Win32TextBox : public HwndControl<ITextBox> {
  public:
    using HwndControl::HwndControl;
    std::string Text() const override;
    void SetText(const std::string& text) override;

  private:
    // The bytes last written, given back while the box still shows them unchanged.
    std::string m_written;
    std::string m_shown;
};

// Gives a list box the horizontal extent of its widest entry in its font, so that its scroll
// bar brings every entry into view; due after each change of the entries or the font.
void FitListExtent(HWND list);
// A list box's tip at `point` (in its client area): the whole entry under it, else `fallback`.
std::wstring ListTipAt(HWND list, POINT point, const std::wstring& fallback);

class Win32ListBox : public HwndControl<IListBox> {
  public:
    using HwndControl::HwndControl;
    int ListCount() const override;
    std::string List(int index) const override;
    void SetList(int index, const std::string& text) override;
    void AddItem(const std::string& text) override;
    void RemoveItem(int index) override;
    int ListIndex() const override;
    void SetListIndex(int index) override;
};

// A button's caption, kept as written: a caption the program sets reads back byte for byte.
template <class Interface>
class CaptionedButton : public HwndControl<Interface> {
  public:
    explicit CaptionedButton(HWND hwnd);
    std::string Caption() const override { return m_caption; }
    void SetCaption(const std::string& caption) override;

  private:
    std::string m_caption;
};

using Win32Button = CaptionedButton<IButton>;

// A picture from the program's icon resources, loaded once per pixel size.
class Win32Picture : public IPicture {
  public:
    Win32Picture(std::string name, int resourceId) : m_name(std::move(name)), m_id(resourceId) {}
    ~Win32Picture() override;
    Win32Picture(const Win32Picture&) = delete;
    Win32Picture& operator=(const Win32Picture&) = delete;
    std::string Name() const override { return m_name; }
    HICON Icon(int size) const;

  private:
    std::string m_name;
    int m_id;
    mutable std::map<int, HICON> m_icons;
};

// A button holding a picture: the tray's two, which are never shown.
class Win32PictureButton : public CaptionedButton<IPictureButton> {
  public:
    Win32PictureButton(HWND hwnd, const Win32Picture& picture)
        : CaptionedButton(hwnd), m_picture(picture) {}
    const IPicture& Picture() const override { return m_picture; }

  private:
    const Win32Picture& m_picture;
};

class Win32Label : public ILabel {
  public:
    explicit Win32Label(HWND hwnd) : m_hwnd(hwnd) {}
    std::string Caption() const override { return m_caption; }
    void SetCaption(const std::string& caption) override;

  private:
    HWND m_hwnd;
    std::string m_caption;
};

// One part of the status bar, with a tip over its whole rectangle that shows whenever it has
// a text (the bar's own tips show only for cut-off texts). The tool is the bar's, numbered
// part + 1; the main window moves its rectangle with the part.
class Win32StatusPanel : public IStatusPanel {
  public:
    Win32StatusPanel(HWND bar, HWND tips, int part) : m_bar(bar), m_tips(tips), m_part(part) {}
    std::string Text() const override { return m_text; }
    void SetText(const std::string& text) override;
    std::string ToolTipText() const override { return m_toolTip; }
    void SetToolTipText(const std::string& text) override;

  private:
    HWND m_bar;
    HWND m_tips;
    int m_part;
    std::string m_text;
    std::string m_toolTip;
};

class Win32StatusBar : public IStatusBar {
  public:
    Win32StatusBar(HWND bar, HWND tips) : m_panel1(bar, tips, 0), m_panel2(bar, tips, 1) {}
    IStatusPanel& Panels(int index) override { return index == 1 ? m_panel1 : m_panel2; }

  private:
    Win32StatusPanel m_panel1;
    Win32StatusPanel m_panel2;
};

class Win32ProgressBar : public IProgressBar {
  public:
    explicit Win32ProgressBar(HWND hwnd);
    int Value() const override { return m_value; }
    void SetValue(int value) override;
    bool Visible() const override { return IsWindowVisible(m_hwnd) != FALSE; }
    void SetVisible(bool visible) override;

  private:
    HWND m_hwnd;
    int m_value = 0;  // as set; the bar shows it within 0 to 100
};

// A window timer with a fixed number: setting it again restarts the count.
class Win32Timer : public ITimer {
  public:
    Win32Timer(HWND owner, UINT_PTR id) : m_owner(owner), m_id(id) {}
    int Interval() const override { return m_interval; }
    void SetInterval(int milliseconds) override;

  private:
    HWND m_owner;
    UINT_PTR m_id;
    int m_interval = 0;
};

class Win32MenuItem : public IMenuItem {
  public:
    Win32MenuItem(HMENU menu, UINT id) : m_menu(menu), m_id(id) {}
    bool Checked() const override;
    void SetChecked(bool checked) override;

  private:
    HMENU m_menu;
    UINT m_id;
};

}  // namespace brannock_win32
