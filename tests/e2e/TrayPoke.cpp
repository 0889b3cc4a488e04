// Plays the user's part with the tray icon of a running program: finds its main window by
// caption, sends it the tray icon's callback messages for a left or right click and, when a
// key is given, waits for the pop-up menu and presses the key in it. A letter goes to the menu
// window as WM_CHAR and "esc" as WM_KEYDOWN; the menu's own loop reads both like typed keys,
// so no keyboard focus is needed. The button "none" sends no click and only presses the key
// in a menu that is already open. The click goes in both layouts of the callback, the classic
// one and that of NOTIFYICON_VERSION_4, because a program reads only the one it asked for and
// finds nothing in the other. "command" instead of a button sends the window the menu command
// numbered by the last argument, as choosing it from the window's menu bar does.
// Usage: tray_poke caption callback-message icon-id left|right|none [letter|esc]
//        tray_poke caption callback-message icon-id command number
// Exit status: 0 when everything was delivered, 2 for bad arguments, 3 without the window,
// 4 without the menu.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Search {
    std::wstring caption;
    HWND found = nullptr;
};

// The program's main window has the caption but is no dialog (a message box may share it).
BOOL CALLBACK MatchMainWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    wchar_t text[256] = {};
    wchar_t kind[64] = {};
    GetWindowTextW(window, text, 256);
    GetClassNameW(window, kind, 64);
    if (search->caption == text && std::wstring(kind) != L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (; *text; ++text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
}

template <typename Probe>
bool WaitFor(Probe probe, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 100) {
        if (probe())
            return true;
        Sleep(100);
    }
    return probe();
}

int Usage() {
    std::fprintf(stderr,
                 "usage: tray_poke caption callback-message icon-id left|right|none [letter|esc]\n"
                 "       tray_poke caption callback-message icon-id command number\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6)
        return Usage();
    const char* button = argv[4];
    UINT mouse = 0;
    UINT event = 0;  // the version 4 event of the same click
    if (std::strcmp(button, "left") == 0) {
        mouse = WM_LBUTTONUP;
        event = NIN_SELECT;
    } else if (std::strcmp(button, "right") == 0) {
        mouse = WM_RBUTTONUP;
        event = WM_CONTEXTMENU;
    } else if (std::strcmp(button, "command") == 0) {
        if (argc != 6)
            return Usage();
    } else if (std::strcmp(button, "none") != 0) {
        return Usage();
    }

    if (std::strcmp(button, "command") == 0 || mouse != 0) {
        Search search{Widen(argv[1])};
        const UINT callback = static_cast<UINT>(std::strtoul(argv[2], nullptr, 0));
        const WPARAM icon = static_cast<WPARAM>(std::strtoul(argv[3], nullptr, 0));
        if (!WaitFor(
                [&] {
                    EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
                    return search.found != nullptr;
                },
                10000)) {
            std::fprintf(stderr, "tray_poke: no window \"%s\"\n", argv[1]);
            return 3;
        }
        if (mouse == 0) {
            PostMessageW(search.found, WM_COMMAND,
                         MAKEWPARAM(static_cast<WORD>(std::strtoul(argv[5], nullptr, 0)), 0), 0);
            return 0;
        }
        // Classic: the icon's id in wParam, the mouse message in lParam. Version 4: the
        // pointer in wParam, the event and the icon's id in lParam.
        PostMessageW(search.found, callback, icon, mouse);
        POINT at{};
        GetCursorPos(&at);
        PostMessageW(search.found, callback, MAKEWPARAM(at.x, at.y),
                     MAKELPARAM(event, static_cast<WORD>(icon)));
    }
    if (argc == 5)
        return 0;

    HWND menu = nullptr;
    if (!WaitFor(
            [&] {
                // Wine keeps hidden menu windows of the same class around (other programs
                // on the display may have some too): the one that counts is visible.
                menu = nullptr;
                while ((menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr)
                    if (IsWindowVisible(menu))
                        return true;
                return false;
            },
            10000)) {
        std::fprintf(stderr, "tray_poke: no pop-up menu appeared\n");
        return 4;
    }
    if (std::strcmp(argv[5], "esc") == 0) {
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
        const auto key = static_cast<wchar_t>(static_cast<unsigned char>(argv[5][0]));
        PostMessageW(menu, WM_CHAR, key, 0);
    }
    return 0;
}
