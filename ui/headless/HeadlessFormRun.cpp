// Driving the timer of the headless window. Apart from the constructor so that tests of the
// form's other procedures do not need the scheduler.
#include "ui/headless/HeadlessForm.h"

int HeadlessForm::RunFor(long long seconds) {
    int ticks = 0;
    for (long long s = 0; s < seconds && !desktop.unloaded; ++s) {
        if (Timer1.restarts != seenRestarts_) {
            seenRestarts_ = Timer1.restarts;
            armedAt_ = runtime::ToSeconds(clock.Now());
        }
        clock.AdvanceSeconds(1);
        long long now = runtime::ToSeconds(clock.Now());
        if (Timer1.interval > 0 && Timer1.restarts == seenRestarts_ &&
            (now - armedAt_) * 1000 >= Timer1.interval) {
            armedAt_ = now;  // a running window timer rearms itself
            ++ticks;
            form.Timer1_Timer();
        }
    }
    return ticks;
}
