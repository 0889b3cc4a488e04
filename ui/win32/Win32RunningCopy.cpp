#include "ui/win32/Win32RunningCopy.h"

#include "ui/SingleInstance.h"
#include "ui/win32/Win32Text.h"

namespace brannock_win32 {
namespace {

constexpr wchar_t kMainWindowClass[] = L"BrannockMainWindow";
constexpr UINT_PTR kSubclassId = 0x5254;  // any number no other subclass of the window uses
// What the window of the right copy answers, so that another program's window that happens to
// pass the message on is not taken for it.
constexpr LRESULT kShown = 0x53484F57;

// Registered by name: every copy of the program, whatever its build, gets the same number.
UINT ShowMessage() {
    static const UINT message = RegisterWindowMessageW(L"Brannock.ShowRunningCopy");
    return message;
}

struct Search {
    WPARAM code;
    unsigned timeoutMs;
    bool shown = false;
};

BOOL CALLBACK AskWindow(HWND hwnd, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    wchar_t name[64] = {};
    if (GetClassNameW(hwnd, name, 64) == 0 || lstrcmpW(name, kMainWindowClass) != 0)
        return TRUE;
    // The copy asked may bring its window to the front, which Windows allows only to the
    // program the user is working with, or to one it names.
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    AllowSetForegroundWindow(process);
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(hwnd, ShowMessage(), search.code, 0, SMTO_ABORTIFHUNG, search.timeoutMs,
                            &answer) != 0 &&
        static_cast<LRESULT>(answer) == kShown) {
        search.shown = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

Win32RunningCopy::~Win32RunningCopy() {
    if (window_)
        RemoveWindowSubclass(window_, Listen, kSubclassId);
    if (mutex_)
        CloseHandle(mutex_);
}

bool Win32RunningCopy::Claim(const std::string& settingsPath) {
    code_ = single_instance::CodeFor(settingsPath);
    // "Local\": one per signed-in user, as the settings file beside the program is.
    const std::wstring name = L"Local\\" + Wide(single_instance::KeyFor(settingsPath));
    mutex_ = CreateMutexW(nullptr, FALSE, name.c_str());
    return mutex_ == nullptr || GetLastError() != ERROR_ALREADY_EXISTS;
}

void Win32RunningCopy::ListenOn(HWND window, std::function<void()> show) {
    show_ = std::move(show);
    window_ = window;
    SetWindowSubclass(window, Listen, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK Win32RunningCopy::Listen(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
    auto& copy = *reinterpret_cast<Win32RunningCopy*>(self);
    if (message != ShowMessage() || ShowMessage() == 0)
        return DefSubclassProc(hwnd, message, wParam, lParam);
    if (wParam != static_cast<WPARAM>(copy.code_))
        return 0;  // another settings file's copy is asked
    if (copy.show_)
        copy.show_();
    return kShown;
}

bool Win32RunningCopy::AskToShow(const std::string& settingsPath, unsigned timeoutMs) {
    Search search{static_cast<WPARAM>(single_instance::CodeFor(settingsPath)), timeoutMs};
    // The first copy may be starting still, its window not yet made or not yet listening.
    constexpr DWORD kRetryMs = 200;
    for (DWORD waited = 0;; waited += kRetryMs) {
        EnumWindows(AskWindow, reinterpret_cast<LPARAM>(&search));
        if (search.shown || waited >= timeoutMs)
            return search.shown;
        Sleep(kRetryMs);
    }
}

}  // namespace brannock_win32
