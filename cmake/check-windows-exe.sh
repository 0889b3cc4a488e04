#!/usr/bin/env bash
# Checks the Windows program as it will be shipped: it must start on a bare Windows 10 or 11,
# so it may import only DLLs that come with Windows (the compiler's runtime is linked in), and
# its manifest must ask for version 6 of the common controls, without which tool tips, the
# visual style and the icon loading of the shell fail; with a version given, its version
# resource must carry it, as Explorer's Properties > Details reads it. Prints the imports, the
# version and the size.
# Usage: check-windows-exe.sh objdump program.exe [version]
set -euo pipefail

objdump=${1:?usage: check-windows-exe.sh objdump program.exe [version]}
exe=${2:?usage: check-windows-exe.sh objdump program.exe [version]}
version=${3:-}
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

# The version resource: the fixed part's file and product versions (four 16-bit numbers each,
# after the VS_FIXEDFILEINFO signature 0xFEEF04BD) and the strings Explorer shows, which the
# resource keeps in UTF-16 as name, value, name, value.
if [ -n "$version" ]; then
  IFS=. read -r major minor patch <<<"$version"
  expected="$major.$minor.$patch.0 $major.$minor.$patch.0"
  offset=$(LC_ALL=C grep -obUaP '\xBD\x04\xEF\xFE' "$exe" | head -n 1 | cut -d: -f1)
  fixed=
  if [ -n "$offset" ]; then
    # dwFileVersionMS, dwFileVersionLS, dwProductVersionMS, dwProductVersionLS follow the
    # signature and the structure's own version.
    read -r -a w <<<"$(od -An -tu2 -j $((offset + 8)) -N 16 "$exe")"
    fixed="${w[1]}.${w[0]}.${w[3]}.${w[2]} ${w[5]}.${w[4]}.${w[7]}.${w[6]}"
  fi
  [ "$fixed" = "$expected" ] ||
    { echo "check-windows-exe: fixed version '${fixed:-none}', expected '$expected'" >&2; status=1; }
  strings=$(strings -el "$exe")
  value() { grep -A1 -x "$1" <<<"$strings" | sed -n 2p; }
  for name in FileVersion ProductVersion; do
    [ "$(value "$name")" = "$version" ] ||
      { echo "check-windows-exe: $name is '$(value "$name")', not $version" >&2; status=1; }
  done
  for name in ProductName FileDescription OriginalFilename; do
    [ -n "$(value "$name")" ] || { echo "check-windows-exe: no $name" >&2; status=1; }
  done
  echo "$(basename "$exe") version: $(value ProductName) $(value ProductVersion)," \
    "\"$(value FileDescription)\""
fi

size=$(stat -c %s "$exe")
echo "$(basename "$exe"): $size bytes ($(((size + 1023) / 1024)) KiB)"
exit "$status"
