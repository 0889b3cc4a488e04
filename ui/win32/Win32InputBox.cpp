
#include "ui/win32/ResourceIds.h"
#include "ui/win32/Win32Api.h"
#include "ui/win32/Win32Dialogs.h"
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

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            state = reinterpret_cast<InputBoxState*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            SetWindowTextW(dialog, state->title.c_str());
            SetDlgItemTextW(dialog, IDC_INPUT_PROMPT, state->prompt.c_str());
            SetDlgItemTextW(dialog, IDC_INPUT_TEXT, state->offered.c_str());
            SendDlgItemMessageW(dialog, IDC_INPUT_TEXT, EM_SETSEL, 0, -1);
            SetForegroundWindow(dialog);
            return TRUE;  // the focus goes to the text, the first tab stop
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
