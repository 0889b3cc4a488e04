#!/usr/bin/env bash
# Fails when a name in the program's sources is also a macro of the Windows headers that
# platform/win32.h (or platform/shell.h) brings in. Such a macro silently renames the program's
# own function, member or variable (clsFileIO::CopyFile would become CopyFileA) in the files
# that see the headers and not in the others; platform/win32.h must #undef it instead.
# The Win32 names the program means to call are those the POSIX layer declares: they stay.
# Usage: check-windows-macros.sh windows-c++-compiler source-folder
set -euo pipefail

cxx=$1
root=$2
cd "$root"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A file with no names outside its Windows-only parts gives none, not a failure.
identifiers() { { grep -ohE '\b[A-Za-z][A-Za-z0-9_]*\b' "$@" || true; } | sort -u; }

macros_after() {
    printf '#include "%s"\n' "$1" |
        "$cxx" -std=c++20 -D_WIN32_WINNT=0x0601 -I"$root" -x c++ -dM -E - |
        awk '{ sub(/\(.*/, "", $2); print $2 }' | sort -u
}

# A file's names outside its comments, texts, include lines and "#ifdef _WIN32" parts (there
# the program calls Win32 on purpose).
code_names() {
    perl -0777 -ne '
        s{//[^\n]*|/\*.*?\*/|"(?:[^"\\\n]|\\.)*"|(?<![\w])'"'"'(?:[^'"'"'\\\n]|\\.)*'"'"'}{ }gs;
        # Per open #if: 1 in a Windows-only branch, 2 in "#ifndef _WIN32" before its #else.
        my @state;
        for (split /\n/) {
            if (/^\s*#\s*if(?:def\s+_WIN32|\s+defined\s*\(?\s*_WIN32)/) { push @state, 1; next }
            if (/^\s*#\s*if(?:ndef\s+_WIN32|\s+!\s*defined\s*\(?\s*_WIN32)/) { push @state, 2; next }
            if (/^\s*#\s*if/) { push @state, 0; next }
            if (/^\s*#\s*el/ && @state) { $state[-1] = $state[-1] == 2 ? 1 : 0; next }
            if (/^\s*#\s*endif/) { pop @state; next }
            next if /^\s*#\s*include/ || grep { $_ == 1 } @state;
            print "$_\n";
        }' "$1" | identifiers -
}

identifiers platform/posix/*.h >"$tmp/api"
printf '%s\n' NOMINMAX WIN32_LEAN_AND_MEAN >>"$tmp/api"
sort -u -o "$tmp/api" "$tmp/api"
macros_after platform/win32.h | comm -23 - "$tmp/api" >"$tmp/win32"
macros_after platform/shell.h | comm -23 - "$tmp/api" >"$tmp/shell"

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) \
        -print | sed 's|^\./||')
fi

status=0
for file in "${files[@]}"; do
    # The Windows side of the platform layer, the native Windows shell and its tests use the
    # Windows headers' macros on purpose.
    case "$file" in platform/posix/* | platform/windows/* | ui/win32/* | tests/win32/* | tests/e2e/*) continue ;; esac
    [ -f "$file" ] || continue
    macros="$tmp/win32"
    grep -q '#include "platform/shell.h"' "$file" && macros="$tmp/shell"
    clashes=$(code_names "$file" | comm -12 - "$macros" | tr '\n' ' ')
    if [ -n "$clashes" ]; then
        echo "$file: names that <windows.h> defines as macros: $clashes"
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "No program name collides with a Windows header macro."
exit "$status"
