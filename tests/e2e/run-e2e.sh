#!/usr/bin/env bash
# shellcheck disable=SC2317  # functions called through check and summary (checks.sh)
# The real Windows program under Wine, from a settings file to its end through the tray menu.
# A copy of brannock.exe starts beside a settings file that has syncing on, a wake-up interval
# of one minute and two filesets in the work folder (Wine's drive Z: is the host's /, so the
# mirror of /x/src lies in <Sync To>/Z/x/src). The first cycle runs at start-up; then the tree
# changes and the next timer-driven cycle must carry the change over. Each mirror file must
# have its source's contents and last-write time. Finally the pop-up menu's "&Terminate" ends
# the program, which saves its settings with syncing still on.
# Usage: run-e2e.sh brannock.exe tray_poke.exe wine-run.sh work-folder callback-message icon-id
# BRANNOCK_E2E_WAIT: seconds to wait for a cycle's result, default 150 (a loaded machine
# starts Wine slowly; an idle one needs about 70 for both cycles). BRANNOCK_TEST_LOG, when set,
# also receives the output, which ends in GoogleTest's summary lines so that the Windows suite
# counts each check.
set -euo pipefail
# shellcheck source=tests/e2e/checks.sh
. "$(dirname "$0")/checks.sh"

usage="usage: run-e2e.sh brannock.exe tray_poke.exe wine-run.sh work-folder callback-message icon-id"
exe=${1:?$usage}
poke=${2:?$usage}
wine_run=${3:?$usage}
work=${4:?$usage}
callback=${5:?$usage}
icon=${6:?$usage}
wait_s=${BRANNOCK_E2E_WAIT:-150}

rm -rf "$work"
mkdir -p "$work/app" "$work/src1/sub" "$work/src2" "$work/mirror"
# Marked as the mirror, as switching syncing on from the window leaves it.
printf 'mirror\r\n' >"$work/mirror/.brannock-mirror"
work=$(cd "$work" && pwd -P)
cp "$exe" "$work/app/brannock.exe"
ini="$work/app/brannock.ini"

winpath() { printf 'Z:%s' "${1//\//\\}"; }
mirror_of() { printf '%s/mirror/Z%s' "$work" "$1"; }

# Same contents and the same last-write time to the second.
same_file() {
  [ -f "$2" ] && cmp -s "$1" "$2" && [ "$(stat -c %Y "$1")" = "$(stat -c %Y "$2")" ]
}

# Waits until the command succeeds, or wait_s seconds have passed, or the program has ended.
wait_until() {
  local deadline=$((SECONDS + wait_s))
  until "$@"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      return 1
    fi
    kill -0 "$app" 2>/dev/null || { echo "the program ended early" >&2; return 1; }
    sleep 1
  done
}

printf 'alpha\n' >"$work/src1/a.txt"
head -c 300000 /dev/urandom >"$work/src1/sub/b.bin"
printf 'gamma\n' >"$work/src2/c.txt"
touch -d '2021-03-04 05:06:07' "$work/src1/a.txt"
touch -d '2020-01-02 03:04:05' "$work/src1/sub/b.bin"
touch -d '2019-12-31 23:59:58' "$work/src2/c.txt"

sync_to=$(winpath "$work/mirror")
set1="$(winpath "$work/src1")\\*.*"
set2="$(winpath "$work/src2")\\*.*"
printf '%s\r\n' '[Options]' 'SyncOn=Yes' 'About=No' "SyncTo=$sync_to" 'Wakeup=1' \
  '[FileSets]' "FileSet1=$set1" "FileSet2=$set2" 'FileSet3=' >"$ini"

"$wine_run" "$work/app/brannock.exe" >"$work/brannock.log" 2>&1 &
app=$!
finish() {
  if kill -0 "$app" 2>/dev/null; then
    kill "$app" 2>/dev/null || true
  fi
  wait "$app" 2>/dev/null || true
}
trap finish EXIT

start=$SECONDS
first_cycle() {
  same_file "$work/src1/a.txt" "$(mirror_of "$work/src1/a.txt")" &&
    same_file "$work/src1/sub/b.bin" "$(mirror_of "$work/src1/sub/b.bin")" &&
    same_file "$work/src2/c.txt" "$(mirror_of "$work/src2/c.txt")"
}
if wait_until first_cycle; then
  pass "the first cycle mirrored both filesets after $((SECONDS - start)) s"
else
  fail "the first cycle's mirror; it holds:"
  (cd "$work/mirror" && find . | sort) >&2
fi
check "the mirror has the drive folder Z and nothing else at its top" \
  test "$(ls "$work/mirror")" = Z

# The next cycle comes from the timer, at the next turn of the minute.
sleep 1
printf 'alpha, changed\n' >"$work/src1/a.txt"
touch -d '2022-05-06 07:08:09' "$work/src1/a.txt"
printf 'delta\n' >"$work/src2/d.txt"
touch -d '2023-01-01 12:00:00' "$work/src2/d.txt"
changed=$SECONDS
timer_cycle() {
  same_file "$work/src1/a.txt" "$(mirror_of "$work/src1/a.txt")" &&
    same_file "$work/src2/d.txt" "$(mirror_of "$work/src2/d.txt")"
}
if wait_until timer_cycle; then
  pass "a timer-driven cycle carried the changes over after $((SECONDS - changed)) s"
else
  fail "no timer-driven cycle carried the changes over"
fi
check "the unchanged files stay as they were" \
  same_file "$work/src1/sub/b.bin" "$(mirror_of "$work/src1/sub/b.bin")"

# One copy per settings file: a second start on the same file shows the running copy and goes
# at once, leaving the settings file and the mirror as they are.
mirror_state() { (cd "$work/mirror" && find . -printf '%p %s %T@\n' | sort | md5sum); }
ini_before=$(md5sum <"$ini")
mirror_before=$(mirror_state)
second_code=0
timeout 120 "$wine_run" "$work/app/brannock.exe" >"$work/second.log" 2>&1 || second_code=$?
check "a second start on the same settings file ended by itself with code 0 ($second_code)" \
  test "$second_code" = 0
check "the second start left the settings file as it was" test "$(md5sum <"$ini")" = "$ini_before"
check "the second start left the mirror as it was" test "$(mirror_state)" = "$mirror_before"
check "the first copy still runs" kill -0 "$app"

# Another folder is another settings file: that copy runs beside the first.
mkdir -p "$work/app2"
cp "$exe" "$work/app2/brannock.exe"
printf '%s\r\n' '[Options]' 'SyncOn=No' 'About=No' >"$work/app2/brannock.ini"
"$wine_run" "$work/app2/brannock.exe" >"$work/beside.log" 2>&1 &
beside=$!
sleep 10
check "a copy in another folder runs beside the first" kill -0 "$beside"
kill "$beside" 2>/dev/null || true
wait "$beside" 2>/dev/null || true

if "$wine_run" "$poke" Brannock "$callback" "$icon" right t; then
  deadline=$((SECONDS + 30))
  while kill -0 "$app" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.5
  done
  check "\"&Terminate\" in the pop-up menu ended the program" bash -c "! kill -0 $app 2>/dev/null"
else
  fail "the pop-up menu could not be used"
fi

# Terminate saves the settings before it switches syncing off.
setting() { tr -d '\r' <"$ini" | sed -n "s/^$1=//p"; }
check "the settings file keeps syncing on" test "$(setting SyncOn)" = Yes
check "the settings file keeps the filesets" \
  test "$(setting FileSet1)|$(setting FileSet2)|$(setting FileSet3)" = "$set1|$set2|"
check "the settings file keeps Sync To and the interval" \
  test "$(setting SyncTo)|$(setting Wakeup)" = "$sync_to|1"
check "no failure was recorded" test -z "$(setting LastErrorMsg)"

# What the program left behind, when a check failed.
show_leftovers() {
  echo "--- the program's output:"
  tail -n 30 "$work/brannock.log" || true
  echo "--- the settings file:"
  tr -d '\r' <"$ini"
}
summary "end to end" "$((SECONDS - start))" show_leftovers
