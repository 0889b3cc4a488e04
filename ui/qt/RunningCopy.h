// One running copy per settings file, on Qt: the first start on a settings file holds a local
// socket named after it; a second start finds the name taken, asks the holder through it to
// show its window, and ends without reading or writing anything.
#pragma once

#include <QLocalServer>
#include <functional>
#include <string>

namespace brannock_qt {

class RunningCopy {
  public:
    // Claims `settingsPath` for this process: true when no other copy holds it, and then for
    // as long as this object lives. Where the system refuses the name for another reason, the
    // program cannot tell and runs (true): a second engine is rarer than a program that never
    // starts.
    bool Claim(const std::string& settingsPath);

    // Runs `show` each time a later start on the same settings file asks for the window.
    void OnShowRequest(std::function<void()> show);

    // For a second start: asks the copy that holds `settingsPath` to show its window; false
    // when it did not answer within `timeoutMs` (a copy stuck in a system call).
    static bool AskToShow(const std::string& settingsPath, int timeoutMs = 5000);

  private:
    QLocalServer server_;
    std::function<void()> show_;
};

}  // namespace brannock_qt
