// The main window's controls as the form's logic sees them (ui/controls.h), each over one Qt
// widget that the window owns. Texts the program writes are kept as written, so reading one
// back gives the very bytes the program wrote, also where Qt could not show them exactly.
#pragma once

#include <QIcon>
#include <QString>
#include <string>

#include "ui/controls.h"

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QTimer;
class QWidget;

namespace brannock_qt {

// Enabling and focus, alike for every control over one widget.
template <class Interface>
class WidgetControl : public Interface {
  public:
    explicit WidgetControl(QWidget* widget) : m_widget(widget) {}
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    void SetFocus() override;

  protected:
    QWidget* m_widget;
};

class QtTextBox : public WidgetControl<ITextBox> {
  public:
    explicit QtTextBox(QLineEdit* edit);
    std::string Text() const override;
    void SetText(const std::string& text) override;

  private:
    QLineEdit* m_edit;
    std::string m_written;  // the last text the program set, and how the box shows it
    QString m_shown;
};

class QtListBox : public WidgetControl<IListBox> {
  public:
    explicit QtListBox(QListWidget* list);
    int ListCount() const override;
    std::string List(int index) const override;
    void SetList(int index, const std::string& text) override;
    void AddItem(const std::string& text) override;
    void RemoveItem(int index) override;
    int ListIndex() const override;
    void SetListIndex(int index) override;

  private:
    QListWidget* m_list;
};

class QtButton : public WidgetControl<IButton> {
  public:
    explicit QtButton(QAbstractButton* button);
    std::string Caption() const override { return m_caption; }
    void SetCaption(const std::string& caption) override;

  private:
    QAbstractButton* m_button;
    std::string m_caption;
};

// A picture as the program holds it: one icon, shared by whoever shows it.
class QtPicture : public IPicture {
  public:
    QtPicture(std::string name, QIcon icon) : m_name(std::move(name)), m_icon(std::move(icon)) {}
    std::string Name() const override { return m_name; }
    const QIcon& Icon() const { return m_icon; }

  private:
    std::string m_name;
    QIcon m_icon;
};

class QtPictureButton : public WidgetControl<IPictureButton> {
  public:
    QtPictureButton(QAbstractButton* button, QtPicture picture);
    std::string Caption() const override { return m_caption.Caption(); }
    void SetCaption(const std::string& caption) override { m_caption.SetCaption(caption); }
    const IPicture& Picture() const override { return m_picture; }

  private:
    QtButton m_caption;
    QtPicture m_picture;
};

class QtLabel : public ILabel {
  public:
    explicit QtLabel(QLabel* label);
    std::string Caption() const override { return m_caption; }
    void SetCaption(const std::string& caption) override;

  private:
    QLabel* m_label;
    std::string m_caption;
};

// A status bar panel drawn by a label: its text, and the tool tip over it.
class QtStatusPanel : public IStatusPanel {
  public:
    explicit QtStatusPanel(QLabel* label);
    std::string Text() const override { return m_text; }
    void SetText(const std::string& text) override;
    std::string ToolTipText() const override { return m_toolTip; }
    void SetToolTipText(const std::string& text) override;

  private:
    QLabel* m_label;
    std::string m_text;
    std::string m_toolTip;
    QString m_shownText;
    QString m_shownToolTip;
};

class QtStatusBar : public IStatusBar {
  public:
    QtStatusBar(QLabel* panel1, QLabel* panel2) : m_panel1(panel1), m_panel2(panel2) {}
    IStatusPanel& Panels(int index) override { return index == 1 ? m_panel1 : m_panel2; }

  private:
    QtStatusPanel m_panel1;
    QtStatusPanel m_panel2;
};

class QtProgressBar : public IProgressBar {
  public:
    explicit QtProgressBar(QProgressBar* bar);
    int Value() const override { return m_value; }
    void SetValue(int value) override;
    bool Visible() const override;
    void SetVisible(bool visible) override;

  private:
    QProgressBar* m_bar;
    int m_value = 0;  // as set; the bar itself shows it within 0 to 100
};

class QtTimer : public ITimer {
  public:
    explicit QtTimer(QTimer* timer);
    int Interval() const override { return m_interval; }
    void SetInterval(int milliseconds) override;

  private:
    QTimer* m_timer;
    int m_interval = 0;
};

class QtMenuItem : public IMenuItem {
  public:
    explicit QtMenuItem(QAction* action) : m_action(action) {}
    bool Checked() const override;
    void SetChecked(bool checked) override;

  private:
    QAction* m_action;
};

}  // namespace brannock_qt
