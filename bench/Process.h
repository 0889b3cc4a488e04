// Child processes measured as a whole: wall time and CPU time (user + system, the child's own
// children included once it has waited for them), taken from the kernel's accounting of the
// process when it is reaped.
#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

struct ProcessUsage {
    double wallSeconds = 0.0;
    double cpuSeconds = 0.0;
    long peakKiB = 0;     // the largest resident set of the process or of a child it waited for
    int exitStatus = -1;  // -1 when it was ended by a signal
    std::string output;   // what it wrote to its standard output, when asked for
};

// A started program; Wait() must be called once before the object goes.
class ChildProcess {
  public:
    // Starts `argv` (searched in PATH) with `extraEnv` ("NAME=value") added to the environment.
    // Its standard output is kept when `captureOutput`, else discarded; its standard error
    // goes to the benchmark's unless `quiet`.
    ChildProcess(const std::vector<std::string>& argv, bool captureOutput,
                 const std::vector<std::string>& extraEnv = {}, bool quiet = false);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // True once the process has ended (it is then reaped by Wait()).
    bool Ended();
    ProcessUsage Wait();

  private:
    pid_t pid_ = -1;
    int outputFd_ = -1;
    double startedAt_ = 0.0;
    bool reaped_ = false;
    int rawStatus_ = 0;
    ProcessUsage usage_;
};

// Runs `argv` to its end.
ProcessUsage RunProcess(const std::vector<std::string>& argv, bool captureOutput = false);

// The CPU time that all threads of a running process have used so far, in seconds.
double ProcessCpuSeconds(pid_t pid);

// The largest resident set of a running process's program so far, in KiB; 0 when unknown.
// The kernel's figure for a reaped child would also count the benchmark's own pages, which
// the forked child held until it started its program.
long PeakResidentKiB(pid_t pid);

// Seconds on a steady clock, for spans measured across processes.
double MonotonicSeconds();
