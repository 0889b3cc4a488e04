#!/usr/bin/env bash
# Checks the Windows program as it will be shipped: it must start on a bare Windows 10 or 11,
# so it may import only DLLs that come with Windows (the compiler's runtime is linked in), and
# its manifest must ask for version 6 of the common controls, without which tool tips, the
# visual style and the icon loading of the shell fail. Prints the imports and the size.
# Usage: check-windows-exe.sh objdump program.exe
set -euo pipefail

objdump=${1:?usage: check-windows-exe.sh objdump program.exe}
exe=${2:?usage: check-windows-exe.sh objdump program.exe}
[ -f "$exe" ] || { echo "check-windows-exe: $exe was not built" >&2; exit 1; }

# DLLs of Windows itself, lower case. msvcrt.dll is the system's C runtime, which mingw-w64's
# default runtime is built on; the api-ms-win-* names are the system's API sets.
system='kernel32|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|advapi32'
system+='|uxtheme|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+|version|winmm|ws2_32|dwmapi|shcore'

imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' |
  tr -d '\r' | sort -u)
[ -n "$imports" ] || { echo "check-windows-exe: $exe imports nothing?" >&2; exit 1; }
foreign=$(grep -v -E "^($system)\.dll\$" <<<"$imports" || true)
echo "$(basename "$exe") imports: $(tr '\n' ' ' <<<"$imports")"

status=0
if [ -n "$foreign" ]; then
  echo "check-windows-exe: imports DLLs that are not part of Windows: $(tr '\n' ' ' <<<"$foreign")" >&2
  status=1
fi

# The manifest is stored as text in the resources; its dependency on the common controls is
# one element, whatever the order of its attributes and wherever its lines break.
if ! LC_ALL=C tr '\r\n' '  ' <"$exe" | LC_ALL=C grep -a -o '<assemblyIdentity[^>]*>' |
  grep 'Microsoft\.Windows\.Common-Controls' | grep -q 'version="6\.0\.0\.0"'; then
  echo "check-windows-exe: the manifest does not ask for Common Controls 6.0.0.0" >&2
  status=1
fi

size=$(stat -c %s "$exe")
echo "$(basename "$exe"): $size bytes ($(((size + 1023) / 1024)) KiB)"
exit "$status"
