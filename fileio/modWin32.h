// Thin wrappers over the operating system: directory enumeration, one key of the settings
// file, the text of the last platform error and the folder picker.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/win32.h"

// Starts an enumeration of `pattern` (a folder followed by a wildcard, or a full path).
// After the call the entry's name is followed by spaces up to the field's full width.
HANDLE FindFirst(const std::string& pattern, WIN32_FIND_DATAA& entry);

// FindFirst for walks that use of each entry only its name and whether it is a folder, a link
// or a file: times, size and the read-only attribute may be left out, of every entry or, with
// `filesInFull`, of folders only. FindNext continues it.
HANDLE FindFirstKind(const std::string& pattern, WIN32_FIND_DATAA& entry, bool filesInFull);

// The next entry of an enumeration, name filled as by FindFirst; 0 at the end or on failure.
BOOL FindNext(HANDLE& handle, WIN32_FIND_DATAA& entry);

// Looks up one path exactly, times, size and attributes, with the last error captured. A '*'
// or '?' in the name is part of the name, which FindFirst would take for a wildcard; the walks
// use FindFirst, look-ups of one known path use this.
bool LookUpPath(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data);

// Gives the file (or folder, or link itself) `from` the name `to` on the same volume, without
// copying anything and never replacing an entry of that name; the last error is captured.
bool MoveWithoutReplacing(const std::string& from, const std::string& to);

// The most characters of a value that the settings file gives back.
inline constexpr std::size_t kIniValueCharacters = 255;

// Reads one key (at most kIniValueCharacters characters of it, counted as UTF-8 code points,
// trailing spaces removed) into `value`. Returns the count of characters read, before the
// spaces were removed.
std::int32_t ReadIniString(const std::string& section, const std::string& key,
                           const std::string& defaultValue, std::string& value,
                           const std::string& file);

// ReadIniString with an empty default, for callers that want only the text.
std::string ReadIniText(const std::string& section, const std::string& key,
                        const std::string& file);

// A value as WriteIniString stores it: each carriage return and line feed becomes the two
// characters "\r" or "\n", so that no value can end its line early and start another key or
// a section of its own. Any other text is stored as it is.
std::string IniValueText(const std::string& value);

// The characters that `value` takes in the settings file; a value longer than
// kIniValueCharacters is read back cut.
std::size_t IniValueLength(const std::string& value);

// Writes one key, its value as IniValueText gives it; a failed write goes unnoticed.
void WriteIniString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& file);

// The system's text for the error of the most recent platform call, or "Unknown error.".
std::string GetSystemErrorText();

// The system's folder picker owned by `hWnd`: the chosen folder's full path, or "".
std::string BrowseForFolder(HWND hWnd, const std::string& title);

// Records the platform's last-error code after a platform call, so GetSystemErrorText reports
// that call's error even after other work has run in between.
void CaptureLastError();
DWORD LastDllError();

// Where the platform has no folder picker of its own, the user interface registers one.
// Without one, BrowseForFolder returns "".
using FolderPicker = std::function<std::string(HWND owner, const std::string& title)>;
void RegisterFolderPicker(FolderPicker picker);

// Replaces the NUL that ends cFileName, and everything after it, with spaces to the field's
// full width; a field without a NUL is left as it is. FindFirst and FindNext apply it.
void FillNameWithSpaces(WIN32_FIND_DATAA& entry);

// An entry's name without its fill, and its 64-bit size.
std::string EntryName(const WIN32_FIND_DATAA& entry);
std::int64_t EntrySize(const WIN32_FIND_DATAA& entry);
