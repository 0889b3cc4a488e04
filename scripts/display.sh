# shellcheck shell=bash
# Sourced by run.sh, screenshots.sh and the Windows suite: gives programs an X display.
# start_display: with $DISPLAY set the desktop's own display is used; without, a virtual one is
# started with `trayer` as the notification area. start_xvfb: always a virtual display of its
# own, without a tray host. Either is stopped again by stop_display.
# BRANNOCK_FIRST_DISPLAY: the lowest display number to try (default 99).

started_pids=()

# Prints the first display number from BRANNOCK_FIRST_DISPLAY on that has neither a lock file
# nor a socket.
free_display() {
  local n=${BRANNOCK_FIRST_DISPLAY:-99}
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do
    n=$((n + 1))
  done
  echo "$n"
}

# Starts Xvfb on a free display number and exports it as DISPLAY. Another run may take the
# same number a moment earlier; then that Xvfb ends at once and the next number is tried.
start_xvfb() {
  local n pid tries attempt
  for attempt in 1 2 3 4 5; do
    n=$(free_display)
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    pid=$!
    tries=0
    while kill -0 "$pid" 2>/dev/null && [ ! -S "/tmp/.X11-unix/X$n" ] && [ "$tries" -lt 100 ]; do
      tries=$((tries + 1))
      sleep 0.1
    done
    sleep 0.2
    if kill -0 "$pid" 2>/dev/null && [ -S "/tmp/.X11-unix/X$n" ]; then
      started_pids+=("$pid")
      export DISPLAY=":$n"
      return 0
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  echo "display: Xvfb did not start (attempt $attempt, display :$n)" >&2
  return 1
}

start_display() {
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  start_xvfb || return 1
  local tries=0
  until xdotool getdisplaygeometry >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
      echo "display: Xvfb did not answer on $DISPLAY" >&2
      stop_display
      return 1
    fi
    sleep 0.1
  done
  trayer --edge top --align right --widthtype request --height 24 --transparent false \
      >/dev/null 2>&1 &
  started_pids+=($!)
  # A bare machine has no session: give Qt the runtime folder a desktop session would.
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR="/tmp/runtime-$(id -u)"
    export XDG_RUNTIME_DIR
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 0700 "$XDG_RUNTIME_DIR"
  fi
  echo "Started a virtual display $DISPLAY with a tray"
  sleep 1
}

# wait_window first|newest PID SEARCH...: prints the id of the first or the newest visible
# window matched by the xdotool search arguments, waiting up to $wait_s seconds (default 15)
# for one to appear; fails at once when the program PID has ended.
wait_window() {
  local take="head" id tries=0 pid=$2
  if [ "$1" = newest ]; then take="tail"; fi
  shift 2
  until id=$(xdotool search --onlyvisible "$@" 2>/dev/null | "$take" -n 1) && [ -n "$id" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt $((${wait_s:-15} * 10)) ]; then
      echo "display: no window for: $*" >&2
      return 1
    fi
    kill -0 "$pid" 2>/dev/null || { echo "display: the program ended early" >&2; return 1; }
    sleep 0.1
  done
  echo "$id"
}

stop_display() {
  local pid
  # Newest first: the tray host before the X server it draws on.
  for ((i = ${#started_pids[@]} - 1; i >= 0; i--)); do
    pid=${started_pids[i]}
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  started_pids=()
}
