#include "ui/SingleInstance.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

namespace single_instance {
namespace {

// 64-bit FNV-1a: stable across runs and builds, which std::hash is not.
std::uint64_t Fnv1a(const std::string& text) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

}  // namespace

std::uint64_t CodeFor(const std::string& settingsPath) {
    std::string path = settingsPath;
#ifdef _WIN32
    // Windows names one file by any letter case and either separator.
    for (char& c : path) {
        c = c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
#endif
    return Fnv1a(path);
}

std::string KeyFor(const std::string& settingsPath) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx",
                  static_cast<unsigned long long>(CodeFor(settingsPath)));
    return std::string("brannock-") + hex;
}

}  // namespace single_instance
