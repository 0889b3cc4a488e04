#include "fileio/modWin32.h"

#include <cstring>
#include <string_view>
#include <utility>

#include "fileio/PathText.h"
#include "runtime/Characters.h"

#include "platform/shell.h"

#ifdef _WIN32
#include "platform/windows/WideText.h"
#else
#include "platform/posix/FolderEntries.h"
#endif

namespace {

DWORD g_LastDllError = 0;

#ifndef _WIN32
FolderPicker& RegisteredPicker() {
    static FolderPicker picker;
    return picker;
}
#endif

// The text of a fixed character buffer up to its first NUL (all of it when there is none).
std::string UpToNul(const char* buffer, std::size_t size) {
    const void* nul = std::memchr(buffer, '\0', size);
    return std::string(buffer, nul ? static_cast<const char*>(nul) - buffer : size);
}

}  // namespace

void CaptureLastError() {
    g_LastDllError = GetLastError();
}

DWORD LastDllError() {
    return g_LastDllError;
}

void FillNameWithSpaces(WIN32_FIND_DATAA& entry) {
    constexpr std::size_t width = sizeof entry.cFileName;
    const void* nul = std::memchr(entry.cFileName, '\0', width);
    if (!nul)
        return;
    const auto kept = static_cast<std::size_t>(static_cast<const char*>(nul) - entry.cFileName);
    std::memset(entry.cFileName + kept, ' ', width - kept);
}

namespace {

// What every search start does after the call: keep its error, pad the name as callers read it.
HANDLE SearchStarted(HANDLE handle, WIN32_FIND_DATAA& entry) {
    CaptureLastError();
    FillNameWithSpaces(entry);
    return handle;
}

}  // namespace

HANDLE FindFirst(const std::string& pattern, WIN32_FIND_DATAA& entry) {
    return SearchStarted(FindFirstFileA(pattern.c_str(), &entry), entry);
}

// Windows' listing carries every detail at no extra cost; the POSIX one would look at every
// entry for details the walk does not use.
HANDLE FindFirstKind(const std::string& pattern, WIN32_FIND_DATAA& entry, bool filesInFull) {
#ifdef _WIN32
    (void)filesInFull;
    return FindFirst(pattern, entry);
#else
    return SearchStarted(w32posix::FindFirstKindA(pattern.c_str(), &entry, filesInFull), entry);
#endif
}

BOOL FindNext(HANDLE& handle, WIN32_FIND_DATAA& entry) {
    BOOL found = FindNextFileA(handle, &entry);
    CaptureLastError();
    FillNameWithSpaces(entry);
    return found;
}

// On Windows this is the same answer FindFirst gives for a path without wildcards, and a name
// there cannot hold one; elsewhere FindFirst would read a '*' or '?' in a real name as one.
bool LookUpPath(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    const BOOL found = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    CaptureLastError();
    return found != 0;
}

bool MoveWithoutReplacing(const std::string& from, const std::string& to) {
    const BOOL moved = MoveFileExA(from.c_str(), to.c_str(), 0);
    CaptureLastError();
    return moved != 0;
}

std::int32_t ReadIniString(const std::string& section, const std::string& key,
                           const std::string& defaultValue, std::string& value,
                           const std::string& file) {
    // The platform cuts at a count of bytes; the value's limit is a count of characters, of up
    // to four bytes each, so the buffer holds the longest value read whole and the cut is made
    // here.
    char buffer[kIniValueCharacters * 4 + 1] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                             sizeof buffer, file.c_str());
    CaptureLastError();
    std::string text = UpToNul(buffer, sizeof buffer);
    text.resize(runtime::BytesOfCharacters(text, kIniValueCharacters));
    const auto count = static_cast<std::int32_t>(runtime::CharacterCount(text));
    text.erase(text.find_last_not_of(' ') + 1);
    value = std::move(text);
    return count;
}

std::string ReadIniText(const std::string& section, const std::string& key,
                        const std::string& file) {
    std::string value;
    ReadIniString(section, key, "", value, file);
    return value;
}

std::string IniValueText(const std::string& value) {
    // File names on POSIX may hold line breaks, and error texts carry file names; Windows'
    // own writer would put them into the file raw.
    if (value.find_first_of("\r\n") == std::string::npos)
        return value;
    std::string text;
    text.reserve(value.size() + 8);
    for (char c : value) {
        if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else
            text += c;
    }
    return text;
}

std::size_t IniValueLength(const std::string& value) {
    return runtime::CharacterCount(IniValueText(value));
}

void WriteIniString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& file) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), IniValueText(value).c_str(),
                               file.c_str());
    CaptureLastError();
}

std::string GetSystemErrorText() {
    // Text from the system table, inserts left alone, the table's line breaks not reproduced.
    constexpr DWORD kFlags = 0x12FF;
    constexpr DWORD kUserDefaultLanguage = 0x400;
    char buffer[256];
    std::memset(buffer, ' ', sizeof buffer);
    const DWORD length = FormatMessageA(kFlags, nullptr, LastDllError(), kUserDefaultLanguage,
                                        buffer, sizeof buffer, nullptr);
    if (length == 0)
        return "Unknown error.";
    return TrimSpaces(UpToNul(buffer, sizeof buffer));
}

#ifdef _WIN32

std::string BrowseForFolder(HWND hWnd, const std::string& title) {
    BROWSEINFOA info{};
    info.hwndOwner = hWnd;
    info.pidlRoot = nullptr;
    info.pszDisplayName = nullptr;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = nullptr;
    info.lParam = 0;
    info.iImage = 0;
    PIDLIST_ABSOLUTE items = SHBrowseForFolderA(&info);
    CaptureLastError();

    // The wide form: the ANSI one stops at MAX_PATH bytes, fewer characters than that. A
    // cancelled picker gives no list, and "".
    std::wstring buffer(w32wide::kMaxLongPath + 1, L'\0');
    const BOOL found =
        items && SHGetPathFromIDListEx(items, buffer.data(), static_cast<DWORD>(buffer.size()),
                                       GPFIDL_DEFAULT);
    CaptureLastError();
    if (items)
        CoTaskMemFree(items);
    return found ? w32wide::Narrow(buffer.c_str()) : std::string();
}

void RegisterFolderPicker(FolderPicker) {}

#else

std::string BrowseForFolder(HWND hWnd, const std::string& title) {
    const FolderPicker& picker = RegisteredPicker();
    return picker ? picker(hWnd, title) : std::string();
}

void RegisterFolderPicker(FolderPicker picker) {
    RegisteredPicker() = std::move(picker);
}

#endif

std::string EntryName(const WIN32_FIND_DATAA& entry) {
    // Called for every entry of every walk: trim the field in place and copy the name once.
    std::string_view field(entry.cFileName, sizeof entry.cFileName);
    field = field.substr(0, field.find('\0'));
    // The fill after a name is most of the field: it is passed over eight spaces at a time,
    // which leaves the same text for TrimSpaces to trim.
    constexpr std::string_view kEightSpaces = "        ";
    while (field.size() >= kEightSpaces.size() && field.ends_with(kEightSpaces))
        field.remove_suffix(kEightSpaces.size());
    return TrimSpaces(field);
}

std::int64_t EntrySize(const WIN32_FIND_DATAA& entry) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) |
                                     entry.nFileSizeLow);
}
