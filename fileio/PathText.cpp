#include "fileio/PathText.h"

std::string TrimSpaces(std::string_view text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string BeforeLastSep(std::string_view path) {
    auto sep = path.find_last_of(kSep);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep));
}

bool EndsWithSep(std::string_view text) {
    return !text.empty() && text.back() == kSep;
}

std::string AllFilesIn(std::string_view folder) {
    std::string pattern(folder);
    if (!EndsWithSep(folder))
        pattern += kSepText;
    return pattern += kAllFiles;
}
