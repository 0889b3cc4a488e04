// Plays the user's part with the tray icon of a running program: finds its main window by
// caption, sends it the tray icon's callback messages for a left or right click, waits for the
// pop-up menu and presses a key in it. A letter goes to the menu window as WM_CHAR and "esc" as
// WM_KEYDOWN; the menu's own loop reads both like typed keys, so no keyboard focus is needed.
// The click goes in both layouts of the callback, the classic one and that of
// NOTIFYICON_VERSION_4, because a program reads only the one it asked for and finds nothing in
// the other.
// Usage: tray_poke caption callback-message icon-id left|right [letter|esc]
//        tray_poke caption callback-message icon-id none letter|esc   (a menu already open)
//        tray_poke caption callback-message icon-id command id [list-index]
//        tray_poke caption callback-message icon-id menubar letter   (opens a menu of the bar)
// Exit status: 0 when everything was delivered, 2 for bad arguments, 3 without the window,
// 4 without the menu.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The program's main window has the caption but is no dialog (a message box may share it).
HWND MainWindow(const std::wstring& caption) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, caption.c_str())) != nullptr) {
        wchar_t kind[64] = {};
        GetClassNameW(window, kind, 64);
        if (std::wstring(kind) != L"#32770")
            return window;
    }
    return nullptr;
}

template <typename Probe>
bool WaitFor(Probe probe) {
    for (int waited = 0; waited < 10000; waited += 100) {
        if (probe())
            return true;
        Sleep(100);
    }
    return probe();
}

// Wine keeps hidden menu windows of the same class around (other programs on the display may
// have some too): the one that counts is visible.
HWND VisibleMenu() {
    HWND menu = nullptr;
    while ((menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr)
        if (IsWindowVisible(menu))
            return menu;
    return nullptr;
}

}  // namespace

// "command": the visible window whose caption starts with the given one (a setup program
// adds the page's name), a dialog too, gets WM_COMMAND for the id, as a menu item or a button
// sends it; with a list index, the entry of the Sync From list is selected first, as a click
// on it does.
int Command(const std::wstring& caption, int id, const char* entry) {
    struct Search {
        std::wstring caption;
        HWND found = nullptr;
    } search{caption};
    const auto find = [&] {
        search.found = nullptr;
        EnumWindows(
            [](HWND window, LPARAM data) {
                auto* s = reinterpret_cast<Search*>(data);
                wchar_t text[256] = {};
                GetWindowTextW(window, text, 256);
                if (IsWindowVisible(window) && std::wstring(text).starts_with(s->caption)) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    };
    if (!WaitFor(find))
        return 3;
    HWND target = search.found;
    if (entry) {
        HWND list = GetDlgItem(target, 1006);  // the Sync From list
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(std::atoi(entry)), 0);
        PostMessageW(target, WM_COMMAND, MAKEWPARAM(1006, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    PostMessageW(target, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(target, id)));
    return 0;
}

int main(int argc, char** argv) {
    if (argc >= 6 && std::strcmp(argv[4], "command") == 0)
        return Command(std::wstring(argv[1], argv[1] + std::strlen(argv[1])), std::atoi(argv[5]),
                       argc > 6 ? argv[6] : nullptr);
    if (argc == 6 && std::strcmp(argv[4], "menubar") == 0) {
        HWND target = nullptr;
        const std::wstring caption(argv[1], argv[1] + std::strlen(argv[1]));
        if (!WaitFor([&] { return (target = MainWindow(caption)) != nullptr; }))
            return 3;
        // As Alt and the letter would: the window's own menu loop opens that menu.
        PostMessageW(target, WM_SYSCOMMAND, SC_KEYMENU,
                     static_cast<LPARAM>(static_cast<unsigned char>(argv[5][0])));
        return 0;
    }
    const bool left = argc >= 5 && std::strcmp(argv[4], "left") == 0;
    const bool right = argc >= 5 && std::strcmp(argv[4], "right") == 0;
    const bool none = argc == 6 && std::strcmp(argv[4], "none") == 0;
    if (argc < 5 || argc > 6 || !(left || right || none)) {
        std::fprintf(stderr,
                     "usage: tray_poke caption callback-message icon-id left|right|none "
                     "[letter|esc]\n");
        return 2;
    }
    if (!none) {
        const std::wstring caption(argv[1], argv[1] + std::strlen(argv[1]));
        HWND target = nullptr;
        if (!WaitFor([&] { return (target = MainWindow(caption)) != nullptr; })) {
            std::fprintf(stderr, "tray_poke: no window \"%s\"\n", argv[1]);
            return 3;
        }
        // Classic: the icon's id in wParam, the mouse message in lParam. Version 4: the pointer
        // in wParam, the event and the icon's id in lParam.
        const UINT callback = static_cast<UINT>(std::strtoul(argv[2], nullptr, 0));
        const WPARAM icon = static_cast<WPARAM>(std::strtoul(argv[3], nullptr, 0));
        PostMessageW(target, callback, icon, left ? WM_LBUTTONUP : WM_RBUTTONUP);
        POINT at{};
        GetCursorPos(&at);
        PostMessageW(target, callback, MAKEWPARAM(at.x, at.y),
                     MAKELPARAM(left ? NIN_SELECT : WM_CONTEXTMENU, static_cast<WORD>(icon)));
    }
    if (argc < 6)
        return 0;

    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = VisibleMenu()) != nullptr; })) {
        std::fprintf(stderr, "tray_poke: no pop-up menu appeared\n");
        return 4;
    }
    if (std::strcmp(argv[5], "esc") == 0)
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    else
        PostMessageW(menu, WM_CHAR, static_cast<wchar_t>(static_cast<unsigned char>(argv[5][0])),
                     0);
    return 0;
}
