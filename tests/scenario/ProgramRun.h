// The built program run as a user runs it: a copy of the executable in its own folder (where it
// keeps its settings file), on the offscreen platform, ended by a signal like a log-off ends it.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

class ProgramRun {
  public:
    struct Options {
        // No right to raise the program's priority, so its start-up asks for it in vain and
        // says so in a message box.
        bool priorityRefused = false;
    };

    // Starts the program copied to `exe`; its output goes to `log`.
    ProgramRun(const std::filesystem::path& exe, const std::filesystem::path& log, Options options);
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    ~ProgramRun();

    // True once the program waits for events (its main thread sleeps in the event loop, or a
    // modal window's) through several looks in a row; false after `ms` milliseconds without.
    bool WaitUntilIdle(int ms = 30000);
    // Sends `signal` and waits up to `ms` milliseconds for the program to end; true when it
    // ended by itself with exit code 0. A program still there then is killed.
    bool EndWith(int signal, int ms = 10000);
    bool Running();
    // What the program wrote on its standard output and error.
    std::string Output() const;

  private:
    bool Idle() const;
    pid_t m_pid = -1;
    int m_status = 0;
    std::filesystem::path m_log;
};

// The executable under test copied as `<folder>/brannock`, so its settings file is
// `<folder>/brannock.ini`.
std::filesystem::path CopyProgramTo(const std::filesystem::path& folder);
