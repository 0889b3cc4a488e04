#include "ui/qt/StopSignals.h"

#include <QTimer>
#include <csignal>

namespace brannock_qt {
namespace {

// The close reason of a task manager's close.
constexpr std::int16_t kUnloadTaskManager = 3;
// Often enough to feel immediate; the copier lets events run after every block anyway.
constexpr int kPollMilliseconds = 200;

// A signal handler may do no more than set a flag of this type.
volatile std::sig_atomic_t stopRequested = 0;

extern "C" void RequestStop(int) {
    stopRequested = 1;
}

}  // namespace

void WatchStopSignals(QtShell& shell) {
    stopRequested = 0;
    std::signal(SIGTERM, RequestStop);
    std::signal(SIGINT, RequestStop);
    auto* poll = new QTimer(&shell.window);
    QObject::connect(poll, &QTimer::timeout, &shell.window, [&shell] {
        if (stopRequested == 0)
            return;
        stopRequested = 0;
        shell.EndFromOutside(kUnloadTaskManager);
    });
    poll->start(kPollMilliseconds);
}

}  // namespace brannock_qt
