#include <algorithm>

#include "ui/win32/ResourceIds.h"
#include "ui/win32/Win32Api.h"
#include "ui/win32/Win32Dialogs.h"
#include "ui/win32/Win32Dpi.h"
#include "ui/win32/Win32Placement.h"
#include "ui/win32/Win32Text.h"

namespace brannock_win32 {
namespace {

struct InputBoxState {
    std::wstring prompt;
    std::wstring title;
    std::wstring offered;
    std::wstring answer;
    bool accepted = false;
};

// Widens the entry, and the box with it, to show the offered text whole, up to most of the
// screen's width; the buttons keep to the right edge.
void FitEntry(HWND dialog, const std::wstring& text) {
    HWND edit = GetDlgItem(dialog, IDC_INPUT_TEXT);
    const HDC dc = GetDC(edit);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    RECT entry{};
    GetWindowRect(edit, &entry);
    RECT box{};
    GetWindowRect(dialog, &box);
    const RECT area = WorkAreaOf(dialog);
    const int frameAndCaret = MulDiv(24, WindowDpi(dialog), 96);
    const int most = (area.right - area.left) * 4 / 5 - (box.right - box.left);
    const int grow = std::min<int>(extent.cx + frameAndCaret - (entry.right - entry.left), most);
    if (grow <= 0)
        return;
    SetWindowPos(dialog, nullptr, 0, 0, box.right - box.left + grow, box.bottom - box.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(edit, nullptr, 0, 0, entry.right - entry.left + grow, entry.bottom - entry.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : {IDOK, IDCANCEL}) {
        HWND button = GetDlgItem(dialog, id);
        RECT r{};
        GetWindowRect(button, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(button, nullptr, r.left + grow, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            state = reinterpret_cast<InputBoxState*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            SetWindowTextW(dialog, state->title.c_str());
            SetDlgItemTextW(dialog, IDC_INPUT_PROMPT, state->prompt.c_str());
            SetDlgItemTextW(dialog, IDC_INPUT_TEXT, state->offered.c_str());
            FitEntry(dialog, state->offered);
            CentreOver(dialog, GetWindow(dialog, GW_OWNER));
            SetForegroundWindow(dialog);
            // Typing replaces the offered text at once; Tab goes on to OK, then Cancel.
            SetFocus(GetDlgItem(dialog, IDC_INPUT_TEXT));
            SendDlgItemMessageW(dialog, IDC_INPUT_TEXT, EM_SETSEL, 0, -1);
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                HWND edit = GetDlgItem(dialog, IDC_INPUT_TEXT);
                std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
                text.resize(static_cast<std::size_t>(
                    GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
                state->answer = text;
                state->accepted = true;
                EndDialog(dialog, IDOK);
            } else if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

std::string RunInputBox(HWND owner, const std::string& prompt, const std::string& title,
                        const std::string& defaultAnswer) {
    InputBoxState state{Wide(prompt), Wide(title), Wide(defaultAnswer), {}, false};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INPUTBOX), owner, InputBoxProc,
                    reinterpret_cast<LPARAM>(&state));
    if (!state.accepted)
        return {};
    return state.answer == state.offered ? defaultAnswer : Utf8(state.answer);
}

}  // namespace brannock_win32
