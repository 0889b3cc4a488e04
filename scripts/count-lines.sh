#!/usr/bin/env bash
# Lines of code of the tests against the rest of the program: the non-blank lines of tracked
# C++ files (.cpp, .h) that are not wholly comment. Tests are the files under tests/ and
# bench/tests/; everything else tracked is code. Prints both counts and the tests' share of the
# whole.
set -euo pipefail
cd "$(git -C "$(dirname "$0")" rev-parse --show-toplevel)"

count() {
  # Reads NUL-separated file names; skips blank lines, // lines and /* ... */ blocks.
  xargs -0 -r cat -- | awk '
    {
      line = $0
      gsub(/^[ \t]+|[ \t\r]+$/, "", line)
      if (in_block) {
        if (index(line, "*/")) { in_block = 0; line = substr(line, index(line, "*/") + 2)
                                 gsub(/^[ \t]+/, "", line) }
        else next
      }
      if (line == "" || substr(line, 1, 2) == "//") next
      if (substr(line, 1, 2) == "/*") {
        if (!index(substr(line, 3), "*/")) { in_block = 1; next }
        rest = substr(line, index(substr(line, 3), "*/") + 4)
        gsub(/^[ \t]+/, "", rest)
        if (rest == "") next
      }
      n++
    }
    END { print n + 0 }'
}

tests=$(git ls-files -z -- 'tests/*.cpp' 'tests/*.h' 'bench/tests/*.cpp' 'bench/tests/*.h' | count)
code=$(git ls-files -z -- '*.cpp' '*.h' ':!tests/' ':!bench/tests/' | count)
awk -v t="$tests" -v c="$code" 'BEGIN {
  printf "tests %d, code %d, tests are %.1f%% of the code (%.1f%% of all)\n",
         t, c, c ? 100 * t / c : 0, (t + c) ? 100 * t / (t + c) : 0 }'
