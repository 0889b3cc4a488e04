// The copier's progress event: moves the progress bar, lets window events run, and turns the
// switching off of syncing into a cancel of the copy under way.
#include "runtime/Numbers.h"
#include "ui/frmMain.h"

void frmMain::f_CopyProgress(std::int64_t& bytesProcessed, std::int64_t& totalBytes) {
    // A file that was empty when opened yet yields data has no meaningful share: it counts as
    // done. Shares beyond the 32-bit range (a file that grew enormously) show a full bar too.
    constexpr int kFull = 100;
    int percent = kFull;
    if (totalBytes != 0) {
        double share =
            static_cast<double>(bytesProcessed) / static_cast<double>(totalBytes) * 100.0;
        percent = runtime::ToInt32HalfEven(share).value_or(kFull);
    }
    pgrStatus.SetValue(percent);
    m_desktop.DoEvents();
    if (!SyncOn)
        f.Cancel(true);
}
