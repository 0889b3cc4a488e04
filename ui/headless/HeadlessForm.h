// The main window with headless controls and a scripted desktop, ready for tests and
// benchmarks. Construct it, point it at a settings file, then drive its handlers.
#pragma once

#include <memory>
#include <string>

#include "ui/frmMain.h"
#include "ui/headless/HeadlessControls.h"
#include "ui/headless/HeadlessDesktop.h"

class HeadlessForm {
  public:
    // `exePath` decides where the settings file lives (its folder, its base name + ".ini").
    explicit HeadlessForm(const std::string& exePath);

    HeadlessListBox lstSyncFrom;
    HeadlessTextBox txtSyncTo;
    HeadlessTextBox txtWakeup;
    HeadlessButton btnAddPath, btnModifyPath, btnDeletePath, btnUpPath, btnDownPath;
    HeadlessButton btnToBrowse, btnSyncToggle, btnClose, btnTerminate;
    HeadlessPictureButton btnSyncOn{"on"};
    HeadlessPictureButton btnSyncOff{"off"};
    HeadlessLabel lblTitle;
    HeadlessStatusBar StatusBar1;
    HeadlessProgressBar pgrStatus;
    HeadlessTimer Timer1;
    HeadlessSysTray SysTray1;
    HeadlessMenuItem mnu_PopupDisabled;

    HeadlessDesktop desktop;
    ManualClock clock;
    frmMain form;

    HeadlessStatusPanel& status() { return StatusBar1.panel2; }

    // Moves the clock forward second by second, firing Timer1 whenever its period has run out
    // since it was last set, as a window timer would. Returns the number of ticks fired.
    int RunFor(long long seconds);

  private:
    long long armedAt_ = 0;
    long seenRestarts_ = 0;
};
