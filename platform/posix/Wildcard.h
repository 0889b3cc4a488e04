// Win32 file-name wildcards: '*' matches any run of characters, '?' exactly one, letters match
// without regard to ASCII case. As in Windows, a mask ending in ".*" also matches names without
// an extension (so "*.*" matches every name) and a mask ending in "." matches only names
// without one.
#pragma once

#include <string_view>

namespace w32posix {

bool HasWildcards(std::string_view mask);
bool MatchesWildcard(std::string_view name, std::string_view mask);

}  // namespace w32posix
