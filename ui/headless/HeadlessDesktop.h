// A scripted desktop for tests and benchmarks: message boxes, input boxes and the folder
// picker answer from queues, and actions can be scheduled to arrive while events are let run,
// as clicks arrive during a long operation on a real desktop.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"

class HeadlessDesktop : public IDesktop {
  public:
    struct Box {
        std::string prompt;
        int style;
        std::string title;
    };

    // --- Script --------------------------------------------------------------------------
    std::deque<int> msgBoxAnswers;          // unscripted boxes answer OK, or No for Yes/No
    std::deque<std::string> inputAnswers;   // unscripted input boxes answer "" (Cancel)
    std::deque<std::string> pickerAnswers;  // unscripted folder pickers answer "" (Cancel)

    // Runs `action` during the `nth` DoEvents call from now (1 = the next one).
    void AtDoEvents(long nth, std::function<void()> action);
    // Runs `action` during the first DoEvents call at which `when` holds.
    void WhenDoEvents(std::function<bool()> when, std::function<void()> action);

    // --- Record --------------------------------------------------------------------------
    std::vector<Box> boxes;
    std::vector<std::string> inputPrompts;
    std::vector<std::string> pickerTitles;
    std::vector<std::string> helpFiles;
    long doEventsCalls = 0;
    int aboutShown = 0;
    int popupShown = 0;
    int popupFlags = -1;
    int timesShown = 0;  // ShowMainWindow calls, so a test can tell "never shown"
    bool visible = false;
    bool unloaded = false;
    bool helpSucceeds = false;
    bool helpThrows = false;  // the help call fails with an exception, as a broken viewer may
    // Runs when the About box is shown (it is modal: this is the time it is open).
    std::function<void()> onAbout;

    // Registers this desktop's picker queue as the folder picker of BrowseForFolder.
    void RegisterAsFolderPicker();

    // --- IDesktop ------------------------------------------------------------------------
    void DoEvents() override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    void ShowMainWindow() override {
        visible = true;
        ++timesShown;
    }
    void HideMainWindow() override { visible = false; }
    bool MainWindowVisible() const override { return visible; }
    void UnloadMainWindow() override {
        unloaded = true;
        visible = false;
    }
    void ShowAboutBox() override;
    void PopupTrayMenu(int flags) override;
    bool ShowHelpFile(const std::string& path) override;
    void ShowActivityLog(const std::string& path) override { activityLogs.push_back(path); }
    HWND MainWindowHandle() const override { return nullptr; }
    // The log files the Activity Log window was opened on, in order.
    std::vector<std::string> activityLogs;

    // Runs when the tray pop-up menu opens (it is modal: choose an item here).
    std::function<void()> onPopup;
    // Runs while a message box is open, before it is answered: the clicks that other windows
    // and the tray icon still take while it waits.
    std::function<void(const Box&)> onMsgBox;

  private:
    struct Scheduled {
        long atCall;  // 0 when `when` decides
        std::function<bool()> when;
        std::function<void()> action;
    };
    std::vector<Scheduled> scheduled_;
};

// A clock that stands still until told to move.
class ManualClock : public IClock {
  public:
    explicit ManualClock(runtime::DateValue start = 0) : now_(start) {}
    runtime::DateValue Now() const override { return now_; }
    void Set(runtime::DateValue value) { now_ = value; }
    void AdvanceSeconds(long long seconds);

  private:
    runtime::DateValue now_;
};
