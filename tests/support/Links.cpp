#include "tests/support/Links.h"

#include <string>
#include <system_error>

#include "tests/support/Wine.h"

namespace fs = std::filesystem;

#ifdef _WIN32
namespace {

using ToUnixName = char*(__cdecl*)(const wchar_t*);
using ToDosName = wchar_t*(__cdecl*)(const char*);

std::wstring Widen(const char* text) {
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

// Runs a Unix program with `args` (Unix paths, each quoted) and waits for it; Wine starts a
// Unix executable that CreateProcess is given.
bool RunUnix(const char* program, std::initializer_list<fs::path> paths, const wchar_t* args) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto toUnix = reinterpret_cast<ToUnixName>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
    auto toDos = reinterpret_cast<ToDosName>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_dos_file_name")));
    if (!toUnix || !toDos)
        return false;
    wchar_t* exe = toDos(program);
    std::wstring command = std::wstring(L"x ") + args;
    for (const fs::path& path : paths) {
        char* unix = toUnix(path.wstring().c_str());
        command += L" \"" + Widen(unix) + L"\"";
        HeapFree(GetProcessHeap(), 0, unix);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
    HeapFree(GetProcessHeap(), 0, exe);
    if (!started)
        return false;
    WaitForSingleObject(process.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code == 0;
}

}  // namespace
#endif

bool MakeLink(const fs::path& target, const fs::path& link) {
#ifdef _WIN32
    if (RunningUnderWine())
        return RunUnix("/bin/ln", {target, link}, L"-s");
#endif
    std::error_code ec;
    if (fs::is_directory(target))
        fs::create_directory_symlink(target, link, ec);
    else
        fs::create_symlink(target, link, ec);
    return !ec;
}

void RemoveLink(const fs::path& link) {
#ifdef _WIN32
    if (RunningUnderWine()) {
        RunUnix("/bin/rm", {link}, L"-f");
        return;
    }
#endif
    std::error_code ec;
    fs::remove(link, ec);
}
