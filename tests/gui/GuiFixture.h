// The real Qt main window over a program folder in a temporary folder: the settings file lives
// there, and modal windows are answered, in order, by scripted answers while they are open.
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

class GuiFixture : public ::testing::Test {
  protected:
    GuiFixture();
    ~GuiFixture() override;
    // `ini` is the settings file's content; empty means no settings file at all.
    void Start(const std::string& ini);
    // Start, then Main: the window loads as at program start.
    void StartAndLoad(const std::string& ini);

    // Runs `answer` on the next modal window that opens.
    void Answer(std::function<void(QWidget&)> answer) { answers.push_back(std::move(answer)); }
    // Runs `action` from the event loop as soon as `when` holds (checked at every turn).
    void WhenEventsRun(std::function<bool()> when, std::function<void()> action);
    // Lets queued events run until `done` holds or `ms` milliseconds have passed.
    static bool WaitFor(const std::function<bool()>& done, int ms = 3000);

    std::filesystem::path IniPath() const { return dir.path() / "prog" / "brannock.ini"; }
    std::string IniValue(const std::string& section, const std::string& key) const;
    // A settings file saved before (so no About box) with syncing `on`, the given filesets,
    // Sync To the destination and a 30-minute interval.
    std::string SavedIni(bool on, const std::vector<std::string>& filesets = {}) const;
    // The size of the file of that name below the destination, or -1 when there is none.
    std::intmax_t MirroredSize(const std::string& name) const;
    // A fileset entry for the folder `sub` below the temporary folder.
    std::string Fileset(const std::string& sub) const;

    brannock_qt::MainWindow& window() { return shell->window; }
    frmMain& form() { return shell->form; }
    std::string Status() { return shell->controls.StatusBar1.Panels(2).Text(); }

    TempDir dir;
    ManualClock clock{runtime::MakeDate({2026, 1, 5, 9, 0, 0})};
    std::unique_ptr<brannock_qt::QtShell> shell;
    std::deque<std::function<void(QWidget&)>> answers;  // for the modal windows still to come

  private:
    void AnswerModal();
    QTimer m_modalPoll, m_watch;
    QElapsedTimer m_answeredAt;
};
