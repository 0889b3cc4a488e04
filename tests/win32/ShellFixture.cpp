#include "tests/win32/ShellFixture.h"

#include <algorithm>

#include "ui/modSync.h"
#include "ui/win32/ResourceIds.h"

static ShellFixture* g_current = nullptr;

ShellFixture::ShellFixture() {
    g_current = this;
    m_timer = SetTimer(nullptr, 0, 10, OnTimer);
}

ShellFixture::~ShellFixture() {
    KillTimer(nullptr, m_timer);
    EndProgram();
    g_current = nullptr;
    EXPECT_TRUE(answers.empty()) << answers.size() << " answers were never used";
}

void CALLBACK ShellFixture::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_current || g_current->m_busy)
        return;
    g_current->m_busy = true;
    g_current->AnswerOpenBox();
    if (g_current->m_when && g_current->m_when()) {
        auto action = std::move(g_current->m_action);
        g_current->m_when = nullptr;
        action();
    }
    g_current->m_busy = false;
}

// A box nobody answers would keep the test waiting for ever: it fails the test and is closed.
void ShellFixture::AnswerOpenBox() {
    for (HWND hwnd = nullptr; (hwnd = FindWindowExW(nullptr, hwnd, L"#32770", nullptr));) {
        if (!IsWindowVisible(hwnd) ||
            GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId() ||
            std::ranges::find(m_answered, hwnd) != m_answered.end())
            continue;
        m_answered.push_back(hwnd);
        const HWND message = GetDlgItem(hwnd, 0xFFFF);  // a message box's text
        const HWND text = message ? message : GetDlgItem(hwnd, IDC_INPUT_PROMPT);
        Box box{hwnd, Text(hwnd), text ? Text(text) : std::string()};
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected box: " << box.caption << ": " << box.text;
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
            return;
        }
        auto answer = std::move(answers.front());
        answers.pop_front();
        boxes.push_back(box);
        answer(box);
        return;
    }
}

void ShellFixture::Press(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

void ShellFixture::WhenTimerRuns(std::function<bool()> when, std::function<void()> action) {
    m_when = std::move(when);
    m_action = std::move(action);
}

void ShellFixture::EndProgram() {
    shell.reset();
    // A program that unloaded posted WM_QUIT; it must not end the next one's loops.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void ShellFixture::StartAndLoad(const std::string& ini) {
    EndProgram();
    MakeFolders(ini);
    shell = std::make_unique<brannock_win32::Win32Shell>(clock, dir.str("prog") + "\\brannock.exe");
    Main(shell->form);
    WaitFor([] { return false; }, 50);
}

void ShellFixture::Command(int id) {
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(id)));
}

void ShellFixture::TrayEvent(UINT event) {
    // Version 4 puts the event in the low word and the icon's number in the high word.
    const bool v4 = shell->controls.SysTray1.Version4();
    const LPARAM lParam = v4 ? MAKELPARAM(event, brannock_win32::ids::kTrayIconId) : event;
    const WPARAM wParam = v4 ? MAKEWPARAM(100, 100) : brannock_win32::ids::kTrayIconId;
    SendMessageW(Window(), brannock_win32::ids::kTrayCallback, wParam, lParam);
}

bool ShellFixture::WaitFor(const std::function<bool()>& done, int ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(ms))
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;  // the program unloaded; the test goes on looking
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
    return true;
}
