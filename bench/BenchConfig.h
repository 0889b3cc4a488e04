// What one benchmark run measures: the number of runs per measurement, the size of the
// generated trees and the cases to run. Defaults are the full benchmark; environment variables
// shrink it for a quick check or a profile.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct BenchConfig {
    int runs = 7;                   // BRANNOCK_BENCH_RUNS: runs per measurement
    int smallFiles = 20000;         // BRANNOCK_BENCH_FILES: files of the small-file tree
    int folders = 400;              // BRANNOCK_BENCH_FOLDERS: folders of the small-file tree
    int bigFiles = 8;               // BRANNOCK_BENCH_BIG_FILES: files of the large-file tree
    std::int64_t bigFileMiB = 128;  // BRANNOCK_BENCH_BIG_MIB: size of each large file
    int scaleFiles = 100000;        // BRANNOCK_BENCH_SCALE_FILES: files of the scale tree
    int scaleFolders = 1000;        // BRANNOCK_BENCH_SCALE_FOLDERS: folders of the scale tree
    std::string cases = "abcdefg";  // BRANNOCK_BENCH_CASES: which cases (always in this order)
    std::string qtProgram;          // BRANNOCK_BENCH_QT_PROGRAM: the Qt program of case g

    // Reads the variables through `lookup` (getenv's contract: nullptr when unset). Throws
    // std::invalid_argument naming the variable when a value is unusable.
    static BenchConfig FromEnvironment(const std::function<const char*(const char*)>& lookup);

    bool Runs(char caseId) const { return cases.find(caseId) != std::string::npos; }
};
