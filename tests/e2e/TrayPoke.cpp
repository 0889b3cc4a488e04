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

std::wstring Text(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring Class(HWND window) {
    wchar_t kind[64] = {};
    GetClassNameW(window, kind, 64);
    return kind;
}

// The first top-level window, in the order from the top down, for which `wanted` holds, waited
// for up to ten seconds; nullptr when none came.
template <typename Wanted>
HWND Find(Wanted wanted) {
    for (int waited = 0; waited <= 10000; waited += 100) {
        for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, nullptr); w != nullptr;
             w = FindWindowExW(nullptr, w, nullptr, nullptr))
            if (wanted(w))
                return w;
        Sleep(100);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string how = argc >= 5 ? argv[4] : "";
    const bool left = how == "left", right = how == "right", none = argc == 6 && how == "none";
    const bool command = argc >= 6 && how == "command", menubar = argc == 6 && how == "menubar";
    if (argc < 5 || (argc > 6 && !command) || !(left || right || none || command || menubar)) {
        std::fprintf(stderr,
                     "usage: tray_poke caption callback-message icon-id left|right|none "
                     "[letter|esc]\n");
        return 2;
    }
    const std::wstring caption(argv[1], argv[1] + std::strlen(argv[1]));
    // "command": the visible window whose caption starts with the given one (a setup program
    // adds the page's name), a dialog too. Otherwise the program's main window, which has the
    // caption but is no dialog (a message box may share it).
    HWND target = none ? nullptr : Find([&](HWND w) {
        return command ? IsWindowVisible(w) && Text(w).starts_with(caption)
                       : Text(w) == caption && Class(w) != L"#32770";
    });
    if (!none && target == nullptr) {
        std::fprintf(stderr, "tray_poke: no window \"%s\"\n", argv[1]);
        return 3;
    }
    if (command) {
        // WM_COMMAND for the id, as a menu item or a button sends it; with a list index, the
        // entry of the Sync From list is selected first, as a click on it does.
        const int id = std::atoi(argv[5]);
        if (argc > 6) {
            HWND list = GetDlgItem(target, 1006);  // the Sync From list
            SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(std::atoi(argv[6])), 0);
            PostMessageW(target, WM_COMMAND, MAKEWPARAM(1006, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
        }
        PostMessageW(target, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(target, id)));
        return 0;
    }
    if (menubar) {
        // As Alt and the letter would: the window's own menu loop opens that menu.
        PostMessageW(target, WM_SYSCOMMAND, SC_KEYMENU,
                     static_cast<LPARAM>(static_cast<unsigned char>(argv[5][0])));
        return 0;
    }
    if (!none) {
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

    // Wine keeps hidden menu windows of the same class around (other programs on the display
    // may have some too): the one that counts is visible.
    HWND menu = Find([](HWND w) { return Class(w) == L"#32768" && IsWindowVisible(w); });
    if (menu == nullptr) {
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
