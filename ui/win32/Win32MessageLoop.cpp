#include "ui/win32/Win32MessageLoop.h"

namespace brannock_win32 {

void Deliver(const MSG& msg, HWND mainWindow) {
    if (mainWindow && IsDialogMessageW(mainWindow, const_cast<MSG*>(&msg)))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void DrainMessages(HWND mainWindow) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Deliver(msg, mainWindow);
    }
}

int RunMessageLoop(HWND mainWindow) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        Deliver(msg, mainWindow);
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

}  // namespace brannock_win32
