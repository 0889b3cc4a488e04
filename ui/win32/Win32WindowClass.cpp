#include "ui/win32/Win32WindowClass.h"

#include "ui/win32/ResourceIds.h"

namespace brannock_win32 {

bool RegisterOwnedWindowClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.hInstance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(type.hInstance, name, &type))
        return true;
    type.lpfnWndProc = procedure;
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    type.hIcon = LoadIconW(type.hInstance, MAKEINTRESOURCEW(IDI_APP));
    type.lpszClassName = name;
    return RegisterClassExW(&type) != 0;
}

}  // namespace brannock_win32
