// Plain-member implementations of the main window's controls, for tests and benchmarks.
#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

class HeadlessControl {
  public:
    bool enabled = true;
    int focusCount = 0;
};

class HeadlessTextBox : public ITextBox, public HeadlessControl {
  public:
    std::string text;
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    void SetFocus() override { ++focusCount; }
    std::string Text() const override { return text; }
    void SetText(const std::string& t) override { text = t; }
};

class HeadlessListBox : public IListBox, public HeadlessControl {
  public:
    std::vector<std::string> items;
    int listIndex = -1;
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    void SetFocus() override { ++focusCount; }
    int ListCount() const override { return static_cast<int>(items.size()); }
    std::string List(int index) const override;
    void SetList(int index, const std::string& text) override;
    void AddItem(const std::string& text) override { items.push_back(text); }
    void RemoveItem(int index) override;
    int ListIndex() const override { return listIndex; }
    void SetListIndex(int index) override;
};

class HeadlessButton : public IButton, public HeadlessControl {
  public:
    std::string caption;
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    void SetFocus() override { ++focusCount; }
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override { caption = c; }
};

class HeadlessPicture : public IPicture {
  public:
    explicit HeadlessPicture(std::string name) : name_(std::move(name)) {}
    std::string Name() const override { return name_; }

  private:
    std::string name_;
};

class HeadlessPictureButton : public IPictureButton, public HeadlessControl {
  public:
    explicit HeadlessPictureButton(std::string pictureName) : picture(std::move(pictureName)) {}
    std::string caption;
    HeadlessPicture picture;
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    void SetFocus() override { ++focusCount; }
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override { caption = c; }
    const IPicture& Picture() const override { return picture; }
};

class HeadlessLabel : public ILabel {
  public:
    std::string caption;
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override { caption = c; }
};

class HeadlessStatusPanel : public IStatusPanel {
  public:
    std::string text;
    std::string toolTip;
    long writes = 0;
    std::string Text() const override { return text; }
    void SetText(const std::string& t) override {
        text = t;
        ++writes;
    }
    std::string ToolTipText() const override { return toolTip; }
    void SetToolTipText(const std::string& t) override { toolTip = t; }
};

class HeadlessStatusBar : public IStatusBar {
  public:
    HeadlessStatusPanel panel1;
    HeadlessStatusPanel panel2;
    IStatusPanel& Panels(int index) override { return index == 1 ? panel1 : panel2; }
};

class HeadlessProgressBar : public IProgressBar {
  public:
    int value = 0;
    bool visible = true;
    std::vector<int> history;  // every value set, in order
    int Value() const override { return value; }
    void SetValue(int v) override {
        value = v;
        history.push_back(v);
    }
    bool Visible() const override { return visible; }
    void SetVisible(bool v) override { visible = v; }
};

class HeadlessTimer : public ITimer {
  public:
    int interval = 0;
    long restarts = 0;  // every SetInterval with a non-zero period restarts the count
    int Interval() const override { return interval; }
    void SetInterval(int ms) override {
        interval = ms;
        if (ms > 0)
            ++restarts;
    }
};

class HeadlessSysTray : public ISysTray {
  public:
    bool inTray = false;
    const IPicture* icon = nullptr;
    std::string tip;
    std::vector<std::string> tipHistory;
    bool intray() const override { return inTray; }
    void set_intray(bool v) override { inTray = v; }
    const IPicture* trayicon() const override { return icon; }
    void set_trayicon(const IPicture& p) override { icon = &p; }
    std::string traytip() const override { return tip; }
    void set_traytip(const std::string& t) override {
        tip = t;
        tipHistory.push_back(t);
    }
    struct Balloon {
        std::string title;
        std::string text;
    };
    std::vector<Balloon> balloons;
    void ShowBalloon(const std::string& title, const std::string& text) override {
        balloons.push_back({title, text});
    }
};

class HeadlessMenuItem : public IMenuItem {
  public:
    bool checked = false;
    bool Checked() const override { return checked; }
    void SetChecked(bool c) override { checked = c; }
};
