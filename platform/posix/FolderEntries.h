// Work on the entries of one folder through a descriptor of it, for walks that meet many
// entries of the same folder: the kernel then resolves one name per call instead of the whole
// path. Not part of the Win32 surface; fileio/FolderEntries uses it on POSIX only.
#pragma once

#include <string>
#include <vector>

#include "platform/posix/win32_api.h"

namespace w32posix {

// A descriptor of `folder` to look entries up in, or -1 when it cannot be opened.
int OpenFolderForLookUps(const char* folder);
void CloseFolderForLookUps(int folderFd);

// GetFileAttributesExA(`fullPath`) for the entry `name` of the folder `folderFd` was opened
// on, with the same data and the same last error; `name` is one plain entry name.
BOOL GetEntryAttributesEx(int folderFd, const char* name, const char* fullPath,
                          WIN32_FILE_ATTRIBUTE_DATA& data);

// The entry names of `folder` but "." and ".."; false when the folder cannot be read, or its
// entries cannot be looked up (a folder without search permission).
bool ReadFolderNames(const char* folder, std::vector<std::string>& names);

// FindFirstFileA for walks that need of each entry only its name and kind: the records that it
// and FindNextFileA then give hold the name and the attributes that tell a folder, a file and
// a link (to a folder or not) apart, without times, size or the read-only bit. Those come
// from the folder's own listing, where FindFirstFileA looks at every entry. With
// `filesInFull`, only folders are described so; every other entry is described in full.
HANDLE FindFirstKindA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData, bool filesInFull);

}  // namespace w32posix
