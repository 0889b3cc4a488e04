// The real Qt main window over a program folder in a temporary folder: the settings file lives
// there, and modal windows are answered, in order, by scripted answers while they are open.
// The widget and test headers come with it, as every GUI test uses a good part of them.
#pragma once

#include <QtTest>
#include <QtWidgets>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "tests/support/ProgramFolderTest.h"
#include "ui/modSync.h"
#include "ui/qt/QtShell.h"

class GuiFixture : public ProgramFolderTest {
  protected:
    GuiFixture();
    ~GuiFixture() override;
    // `ini` is the settings file's content; empty means no settings file at all.
    void Start(const std::string& ini);
    // Start, then Main: the window loads as at program start.
    void StartAndLoad(const std::string& ini);

    // Runs `answer` on the next modal window that opens.
    void Answer(std::function<void(QWidget&)> answer) { answers.push_back(std::move(answer)); }
    // Lets queued events run until `done` holds or `ms` milliseconds have passed.
    static bool WaitFor(const std::function<bool()>& done, int ms = 3000);
    // Clicks the main window's button of that name, as the mouse does.
    void Click(const char* button) {
        QTest::mouseClick(window().findChild<QAbstractButton*>(button), Qt::LeftButton);
    }

    // The size of the file of that name below the destination, or -1 when there is none.
    std::intmax_t MirroredSize(const std::string& name) const;

    brannock_qt::MainWindow& window() { return shell->window; }
    frmMain& form() { return shell->form; }

    std::unique_ptr<brannock_qt::QtShell> shell;
    std::deque<std::function<void(QWidget&)>> answers;  // for the modal windows still to come

  private:
    void AnswerModal();
    QTimer m_modalPoll;
    QElapsedTimer m_answeredAt;
};
