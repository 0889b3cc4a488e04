#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/Errors.h"

using namespace w32posix;

namespace {

// The handle GetCurrentThread gives, as on Windows ((HANDLE)-2).
HANDLE PseudoHandle() {
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-2));
}

// Windows priority levels as nice values: each step below normal is five nice steps down.
bool NiceFor(int priority, int& nice) {
    switch (priority) {
        case THREAD_PRIORITY_IDLE:
            nice = 19;
            return true;
        case THREAD_PRIORITY_TIME_CRITICAL:
            nice = -20;
            return true;
        default:
            if (priority < THREAD_PRIORITY_LOWEST || priority > THREAD_PRIORITY_HIGHEST) {
                return false;
            }
            nice = -5 * priority;
            return true;
    }
}

int PriorityFor(int nice) {
    if (nice >= 15)
        return THREAD_PRIORITY_IDLE;
    if (nice <= -15)
        return THREAD_PRIORITY_TIME_CRITICAL;
    // To the nearest level, so nice values set by others map sensibly.
    int level = (nice >= 0 ? nice + 2 : nice - 2) / 5;
    return -level;
}

}  // namespace

HANDLE GetCurrentThread() {
    return PseudoHandle();
}

// Linux gives each thread its own nice value, set through its thread id. Raising a thread
// above normal needs privilege there (CAP_SYS_NICE), which Windows does not ask for; without
// it the call fails with ERROR_ACCESS_DENIED.
BOOL SetThreadPriority(HANDLE hThread, int nPriority) {
    if (hThread != PseudoHandle()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    int nice = 0;
    if (!NiceFor(nPriority, nice)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), nice) != 0) {
        SetErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

int GetThreadPriority(HANDLE hThread) {
    if (hThread != PseudoHandle()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return THREAD_PRIORITY_ERROR_RETURN;
    }
    errno = 0;
    int nice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
    if (nice == -1 && errno != 0) {
        SetErrorFromErrno(errno);
        return THREAD_PRIORITY_ERROR_RETURN;
    }
    return PriorityFor(nice);
}
