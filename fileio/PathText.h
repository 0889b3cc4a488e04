// Path text of the platform: paths are joined as plain text with the platform's separator,
// without normalisation or case folding.
#pragma once

#include <string>
#include <string_view>

#ifdef _WIN32
inline constexpr char kSep = '\\';
inline constexpr std::string_view kSepText = "\\";
#else
inline constexpr char kSep = '/';
inline constexpr std::string_view kSepText = "/";
#endif

// The wildcard that enumerates every entry of a folder.
inline constexpr std::string_view kAllFiles = "*.*";

// Text with leading and trailing spaces removed (tabs and other blanks stay).
std::string TrimSpaces(std::string_view text);

// The part of `path` before its last separator; "" when there is none.
std::string BeforeLastSep(std::string_view path);

// True when `text` ends with the separator.
bool EndsWithSep(std::string_view text);

// The pattern of everything in `folder`, a folder text as the user typed it: the separator is
// added only when the text does not end in one.
std::string AllFilesIn(std::string_view folder);
