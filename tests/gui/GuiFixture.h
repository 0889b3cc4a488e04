// The real Qt main window over a program folder in a temporary folder: the settings file lives
// there, and modal boxes are answered by a script that runs while they are open.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "ui/headless/HeadlessDesktop.h"
#include "ui/modSync.h"
#include "ui/qt/QtShell.h"

class QMessageBox;

// Answers the modal windows that open, one scripted answer each, in order.
class ModalScript {
  public:
    ModalScript();
    ~ModalScript();
    // Runs `answer` on the next modal window that opens.
    void Next(std::function<void(QWidget&)> answer);
    // Clicks the standard button (QMessageBox::Yes, ...) of the next message box, noting it.
    void ClickInNextBox(int standardButton);
    bool Done() const { return m_answers.empty(); }

    struct Seen {
        std::string title;
        std::string text;
    };
    std::vector<Seen> boxes;  // the message boxes answered, in order

  private:
    void Poll();
    QTimer m_poll;
    QElapsedTimer m_unanswered;  // how long a modal window has waited without an answer
    std::deque<std::function<void(QWidget&)>> m_answers;
};

class GuiFixture : public ::testing::Test {
  protected:
    // `ini` is the settings file's content; empty means no settings file at all.
    void Start(const std::string& ini);
    // Start, then Main: the window loads as at program start.
    void StartAndLoad(const std::string& ini);
    ~GuiFixture() override;

    std::filesystem::path IniPath() const { return dir.path() / "prog" / "brannock.ini"; }
    std::string Ini() const;
    // The settings file's section/key as the program reads it.
    std::string IniValue(const std::string& section, const std::string& key) const;
    std::string Dest() const { return dir.str("dest"); }
    // A settings file saved before (so no About box) with syncing `on`, the given filesets,
    // Sync To the destination and a 30-minute interval.
    std::string SavedIni(bool on, const std::vector<std::string>& filesets = {}) const;
    // The size of the file of that name below the destination, or -1 when there is none.
    std::intmax_t MirroredSize(const std::string& name) const;
    // A fileset entry for the folder `sub` below the temporary folder.
    std::string Fileset(const std::string& sub) const;

    // Lets queued events run until `done` holds or `ms` milliseconds have passed.
    static bool WaitFor(const std::function<bool()>& done, int ms = 3000);
    // Runs `action` from the event loop as soon as `when` holds (checked at every turn).
    void WhenEventsRun(std::function<bool()> when, std::function<void()> action);

    brannock_qt::MainWindow& window() { return shell->window; }
    frmMain& form() { return shell->form; }
    std::string Status() { return shell->controls.StatusBar1.Panels(2).Text(); }

    TempDir dir;
    ManualClock clock{runtime::MakeDate({2026, 1, 5, 9, 0, 0})};
    std::unique_ptr<brannock_qt::QtShell> shell;
    ModalScript modal;

  private:
    std::vector<std::unique_ptr<QTimer>> m_watchers;
};
