// The real Win32 main window over a program folder in a temporary folder, driven by window
// messages as the system would send them. Modal boxes are answered, in order, by scripted
// answers run from a timer of the test's own thread while the box's loop runs.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/ProgramFolderTest.h"
#include "ui/win32/Win32Ids.h"
#include "ui/win32/Win32Shell.h"
#include "ui/win32/Win32Text.h"

inline constexpr auto& Text = brannock_win32::WindowText;  // a window's text in UTF-8

// An open modal box as the test sees it.
struct Box {
    HWND hwnd;
    std::string caption;
    std::string text;  // a message box's message, or an input box's prompt
};

class ShellFixture : public ProgramFolderTest {
  protected:
    ShellFixture();
    ~ShellFixture() override;

    // `ini` is the settings file's content; empty means no settings file at all.
    void StartAndLoad(const std::string& ini);

    // Runs `answer` on the next modal box that opens.
    void Answer(std::function<void(const Box&)> answer) { answers.push_back(std::move(answer)); }
    static void Press(HWND box, int button);
    // Runs `action` from a timer as soon as `when` holds, also inside a modal loop.
    void WhenTimerRuns(std::function<bool()> when, std::function<void()> action);

    HWND Window() const { return shell->window.Handle(); }
    HWND Item(int id) const { return GetDlgItem(Window(), id); }
    // A click as the button sends it to its parent, or a menu item's command.
    void Command(int id);
    // A tray callback, as the shell sends it to the icon's owner.
    void TrayEvent(UINT event);
    // Lets queued messages run until `done` holds or `ms` milliseconds have passed.
    bool WaitFor(const std::function<bool()>& done, int ms = 3000);

    frmMain& form() { return shell->form; }
    // The form unloaded and its tray icon gone.
    bool Ended() { return form().Unloaded() && !shell->controls.SysTray1.intray(); }

    std::unique_ptr<brannock_win32::Win32Shell> shell;
    std::deque<std::function<void(const Box&)>> answers;
    std::vector<Box> boxes;  // every box answered, in order

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void AnswerOpenBox();
    void EndProgram();
    std::vector<HWND> m_answered;
    std::function<bool()> m_when;
    std::function<void()> m_action;
    UINT_PTR m_timer = 0;
    bool m_busy = false;
};
