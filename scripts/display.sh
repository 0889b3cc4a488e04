# shellcheck shell=bash
# Sourced by run.sh and screenshots.sh: gives a program an X display with a tray host.
# With $DISPLAY set the desktop's own display is used; without, a virtual one is started
# (Xvfb on a free display number) with `trayer` as the notification area, and stopped again
# by stop_display. BRANNOCK_DISPLAY_NUMBER chooses the virtual display's number.

started_pids=()

# Prints the first display number from 99 on that has neither a lock file nor a socket.
free_display() {
  local n=99
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do
    n=$((n + 1))
  done
  echo "$n"
}

start_display() {
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  local n
  n=${BRANNOCK_DISPLAY_NUMBER:-$(free_display)}
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  started_pids+=($!)
  export DISPLAY=":$n"
  local tries=0
  until xdotool getdisplaygeometry >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
      echo "display: Xvfb did not start on :$n" >&2
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
