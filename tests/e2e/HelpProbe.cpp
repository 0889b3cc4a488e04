// Asks a running Brannock for its help as the user would with Help > Contents, prints what the
// help window shows (its caption on the first line, then its text), and ends the program with
// Terminate Program. The windows are found by their classes, so a box with the same caption
// cannot stand in for them.
// Usage: help_probe
// Exit status: 0 when the help window showed, 3 without the main window, 4 without the help
// window.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ui/win32/Win32Ids.h"

namespace {

// The window of that class, waited for up to `ms` milliseconds; nullptr when none came.
HWND Find(const wchar_t* kind, int ms) {
    for (int waited = 0; waited <= ms; waited += 100) {
        if (HWND window = FindWindowW(kind, nullptr))
            return window;
        Sleep(100);
    }
    return nullptr;
}

std::string Text(HWND hwnd) {
    // Another process's window: the length and the text are asked for by message.
    const auto length = static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(static_cast<std::size_t>(length));
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), bytes, nullptr, nullptr);
    return text;
}

}  // namespace

int main() {
    using namespace brannock_win32;
    HWND main = Find(L"BrannockMainWindow", 60000);
    if (main == nullptr) {
        std::fprintf(stderr, "help_probe: no main window\n");
        return 3;
    }
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(ids::kHelpContents, 0), 0);
    HWND help = Find(L"BrannockHelp", 20000);
    if (help != nullptr) {
        std::printf("%s\n", Text(help).c_str());
        if (HWND view = GetWindow(help, GW_CHILD))
            std::printf("%s\n", Text(view).c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "help_probe: no help window\n");
    }
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(ids::kTerminate, BN_CLICKED), 0);
    return help != nullptr ? 0 : 4;
}
