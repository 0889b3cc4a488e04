// One running copy per settings file, on Windows: the first start on a settings file holds a
// named mutex for it and listens on its main window; a second start finds the mutex taken,
// asks that window to show itself, and ends without reading or writing anything.
#pragma once

#include <functional>
#include <string>

#include "ui/win32/Win32Api.h"

namespace brannock_win32 {

class Win32RunningCopy {
  public:
    Win32RunningCopy() = default;
    ~Win32RunningCopy();
    Win32RunningCopy(const Win32RunningCopy&) = delete;
    Win32RunningCopy& operator=(const Win32RunningCopy&) = delete;

    // Claims `settingsPath` for this process: true when no other copy holds it, and then for
    // as long as this object lives. A mutex the system will not make at all cannot tell, and
    // the program runs.
    bool Claim(const std::string& settingsPath);

    // Runs `show` each time a later start on the same settings file asks `window` to show.
    void ListenOn(HWND window, std::function<void()> show);

    // For a second start: asks the window of the copy holding `settingsPath` to show itself;
    // false when no such window answered within `timeoutMs`.
    static bool AskToShow(const std::string& settingsPath, unsigned timeoutMs = 5000);

  private:
    static LRESULT CALLBACK Listen(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);

    HANDLE mutex_ = nullptr;
    std::uint64_t code_ = 0;
    HWND window_ = nullptr;
    std::function<void()> show_;
};

}  // namespace brannock_win32
