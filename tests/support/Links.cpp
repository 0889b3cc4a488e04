#include "tests/support/Links.h"

#include <system_error>

#include "tests/support/Wine.h"

namespace fs = std::filesystem;

bool MakeLink(const fs::path& target, const fs::path& link) {
    if (RunningUnderWine())
        return false;
    std::error_code ec;
    if (fs::is_directory(target))
        fs::create_directory_symlink(target, link, ec);
    else
        fs::create_symlink(target, link, ec);
    return !ec && fs::is_symlink(link, ec);
}
