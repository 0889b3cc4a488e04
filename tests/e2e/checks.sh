# shellcheck shell=bash
# The checks of the end-to-end scripts, sourced by each: every check counted, and a summary
# that ends in GoogleTest's summary lines so that the Windows suite counts each check.
# BRANNOCK_TEST_LOG, when set, also receives the output.
if [ -n "${BRANNOCK_TEST_LOG:-}" ]; then
  mkdir -p "$(dirname "$BRANNOCK_TEST_LOG")"
  exec > >(tee "$BRANNOCK_TEST_LOG") 2>&1
fi

passes=0
failures=0
pass() {
  echo "ok: $1"
  passes=$((passes + 1))
}
fail() {
  echo "FAILED: $1" >&2
  failures=$((failures + 1))
}
check() {
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# Ends the script with the count: "<what>: N passed, M failed in S s", then the summary lines.
# When a check failed, the command given after the seconds runs first (to show what the program
# left behind) and the script ends with 1.
summary() {
  local what=$1 seconds=$2
  shift 2
  echo "$what: $passes passed, $failures failed in $seconds s"
  if [ "$failures" -gt 0 ]; then
    [ $# -eq 0 ] || "$@"
    echo "[  PASSED  ] $passes tests."
    echo "[  FAILED  ] $failures tests, listed below:"
    exit 1
  fi
  echo "[  PASSED  ] $passes tests."
  exit 0
}
