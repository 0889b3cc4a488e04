// The built program run as a user runs it: a copy of the executable in its own folder (where it
// keeps its settings file), on the offscreen platform, ended by a signal like a log-off ends it.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>

// Waits (boundedly) until `done` holds, looking every `stepMs` milliseconds.
bool WaitUntil(const std::function<bool()>& done, int ms, int stepMs = 20);

// Copies the program under test to `<folder>/brannock`, so its settings file is
// `<folder>/brannock.ini`, and starts it with its output going to `log`. With `priorityRefused`
// it has no right to raise its priority, so its start-up asks for it in vain and says so in a
// message box. Every program started must be ended with EndWith.
pid_t StartProgram(const std::filesystem::path& folder, const std::filesystem::path& log,
                   bool priorityRefused);
// True once the program waits for events (its main thread sleeps in the event loop, or a modal
// window's) through several looks in a row; false after `ms` milliseconds without.
bool WaitUntilIdle(pid_t pid, int ms = 30000);
// Sends `signal` to the running program and waits up to `ms` milliseconds for it to end; true
// when it ended by itself with exit code 0. A program still there then is killed.
bool EndWith(pid_t pid, int signal, int ms = 10000);
