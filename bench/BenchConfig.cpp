#include "bench/BenchConfig.h"

#include <charconv>
#include <stdexcept>
#include <string_view>

namespace {

constexpr const char* kAllCases = "abcdefg";

template <typename Int>
void ReadPositive(const std::function<const char*(const char*)>& lookup, const char* name,
                  Int& value) {
    const char* text = lookup(name);
    if (text == nullptr || *text == '\0')
        return;
    std::string_view view(text);
    Int parsed = 0;
    auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), parsed);
    if (error != std::errc() || end != view.data() + view.size() || parsed < 1) {
        throw std::invalid_argument(std::string(name) + " must be a positive whole number, not \"" +
                                    text + "\"");
    }
    value = parsed;
}

}  // namespace

BenchConfig BenchConfig::FromEnvironment(const std::function<const char*(const char*)>& lookup) {
    BenchConfig config;
    ReadPositive(lookup, "BRANNOCK_BENCH_RUNS", config.runs);
    ReadPositive(lookup, "BRANNOCK_BENCH_FILES", config.smallFiles);
    ReadPositive(lookup, "BRANNOCK_BENCH_FOLDERS", config.folders);
    ReadPositive(lookup, "BRANNOCK_BENCH_BIG_FILES", config.bigFiles);
    ReadPositive(lookup, "BRANNOCK_BENCH_BIG_MIB", config.bigFileMiB);
    ReadPositive(lookup, "BRANNOCK_BENCH_SCALE_FILES", config.scaleFiles);
    ReadPositive(lookup, "BRANNOCK_BENCH_SCALE_FOLDERS", config.scaleFolders);
    if (const char* qt = lookup("BRANNOCK_BENCH_QT_PROGRAM"); qt != nullptr && *qt != '\0')
        config.qtProgram = qt;
    if (const char* cases = lookup("BRANNOCK_BENCH_CASES"); cases != nullptr && *cases != '\0') {
        std::string wanted(cases);
        if (wanted.find_first_not_of(kAllCases) != std::string::npos) {
            throw std::invalid_argument("BRANNOCK_BENCH_CASES takes letters of \"" +
                                        std::string(kAllCases) + "\", not \"" + wanted + "\"");
        }
        config.cases.clear();
        for (char id : std::string_view(kAllCases)) {
            if (wanted.find(id) != std::string::npos)
                config.cases += id;
        }
    }
    return config;
}
