#!/usr/bin/env bash
# Tries check-includes.sh on small made-up source trees, so a broken pattern cannot let the
# real tree pass unseen.
set -uo pipefail

check="$(cd "$(dirname "$0")" && pwd)/check-includes.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect <platform-result> <qt-result> <file> <line>: builds a tree holding only that file.
expect() {
  local want_platform=$1 want_qt=$2 file=$3 text=$4 tree got
  tree=$(mktemp -d "$work/tree.XXXX")
  mkdir -p "$(dirname "$tree/$file")"
  printf '// sample\n%s\nint x;\n' "$text" >"$tree/$file"
  for mode in platform qt; do
    bash "$check" "$mode" "$tree" >/dev/null 2>&1 && got=pass || got=fail
    local want=$want_platform
    [ "$mode" = qt ] && want=$want_qt
    if [ "$got" != "$want" ]; then
      echo "FAIL: $mode check on $file with '$text': $got, expected $want"
      failures=$((failures + 1))
    fi
  done
}

# Layers above platform/ reach the system only through platform/win32.h.
expect fail pass engine/Walk.cpp '#include <unistd.h>'
expect fail pass fileio/clsFileIO.cpp '#  include <sys/stat.h>'
expect fail pass runtime/Now.cpp '#include <Windows.h>'
expect fail pass settings/Ini.h '#include "windows.h"'
expect fail pass control/Timer.cpp '#include <shlobj.h>'
expect fail pass ui/frmMain.cpp '#include <pthread.h>'
expect fail pass ui/headless/HeadlessDesktop.cpp '#include <dirent.h>'
expect fail pass engine/Net.cpp '#include <netinet/in.h>'
expect pass pass engine/Walk.cpp '#include "platform/win32.h"'
expect pass pass engine/Walk.cpp '#include <string>'
expect pass pass engine/Walk.cpp '#include <cstdio>'
expect pass pass engine/Walk.cpp '#include <stdint.h>'
expect pass pass engine/Walk.cpp '// #include <unistd.h> is not used here'
expect pass pass platform/posix/Files.cpp '#include <unistd.h>'
expect pass pass platform/win32.h '#include <windows.h>'
expect pass pass ui/win32/Win32Api.h '#include <commctrl.h>'
expect fail pass ui/Win32Menu.cpp '#include <windows.h>'
expect pass pass tests/fileio/Denied.cpp '#include <sys/mount.h>'
expect pass pass bench/Copy.cpp '#include <fcntl.h>'
expect pass pass build/_deps/x.cpp '#include <unistd.h>'

# Qt stays in ui/qt/.
expect pass fail ui/frmMain.h '#include <QString>'
expect pass fail engine/Walk.cpp '#include <QtCore/QDir>'
expect pass fail control/Timer.cpp '#include <qtimer.h>'
expect pass pass ui/qt/main.cpp '#include <QApplication>'
expect pass pass tests/gui/TrayTest.cpp '#include <QSignalSpy>'
expect pass pass ui/qt/Desktop.cpp '#include <windows.h>'
expect pass fail ui/win32/Win32Shell.cpp '#include <QWidget>'

if [ "$failures" -ne 0 ]; then
  echo "$failures include-check expectations failed"
  exit 1
fi
echo "include checks behave as expected"
