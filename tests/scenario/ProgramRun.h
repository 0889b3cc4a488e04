// The built program run as a user runs it: a copy of the executable in its own folder (where it
// keeps its settings file), on the offscreen platform, ended by a signal like a log-off ends it.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>

// Waits (boundedly) until `done` holds, looking every `stepMs` milliseconds.
bool WaitUntil(const std::function<bool()>& done, int ms, int stepMs = 20);

class ProgramRun {
  public:
    // Copies the program under test to `<folder>/brannock`, so its settings file is
    // `<folder>/brannock.ini`, and starts it with its output going to `log`. With
    // `priorityRefused` it has no right to raise its priority, so its start-up asks for it in
    // vain and says so in a message box.
    ProgramRun(const std::filesystem::path& folder, const std::filesystem::path& log,
               bool priorityRefused);
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    ~ProgramRun() { Kill(); }

    // True once the program waits for events (its main thread sleeps in the event loop, or a
    // modal window's) through several looks in a row; false after `ms` milliseconds without.
    bool WaitUntilIdle(int ms = 30000);
    // Sends `signal` and waits up to `ms` milliseconds for the program to end; true when it
    // ended by itself with exit code 0. A program still there then is killed.
    bool EndWith(int signal, int ms = 10000);

  private:
    bool Running();
    bool Idle() const;
    void Kill();
    pid_t m_pid = -1;
    int m_status = 0;
};
