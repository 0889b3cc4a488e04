// The window class of a window the main window owns (the help and the Activity Log): the
// program's icon, an arrow cursor and the window colour, registered once per program.
#pragma once

#include "ui/win32/Win32Api.h"

namespace brannock_win32 {

// Registers `name` with `procedure` the first time it is asked; true once it is registered.
bool RegisterOwnedWindowClass(const wchar_t* name, WNDPROC procedure);

// The procedure of such a class whose windows are each driven by one `Window`, passed as the
// create parameter: at WM_NCCREATE, Window::Attach(hwnd) is called, and from then on every
// message goes to Window::OnMessage. No exception may unwind into the system's code that
// called the procedure.
template <class Window>
LRESULT CALLBACK OwnedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->Attach(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return window->OnMessage(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace brannock_win32
