#!/usr/bin/env bash
# Keeps the layers honest about what they include.
#   check-includes.sh platform [root]: only platform/ and the native Windows shell (ui/win32/)
#     may include POSIX or Windows headers
#     (tests/, ui/qt/ and bench/ are outside the program's layers and are not checked).
#   check-includes.sh qt [root]: only ui/qt/ (and the GUI tests) may include Qt headers.
# Prints every offending line as file:line: text and exits 1 when there is one.
set -euo pipefail

mode=${1:-}
root=${2:-$(cd "$(dirname "$0")/.." && pwd)}

case "$mode" in
  platform)
    allowed=(platform tests ui/qt ui/win32 bench)
    what="a POSIX or Windows header outside platform/ (include \"platform/win32.h\" instead)"
    # Headers of POSIX and of the Windows SDK. Matched against the whole include name, case
    # folded, because Windows file names are.
    posix='unistd|fcntl|dirent|pthread|sched|semaphore|spawn|dlfcn|glob|fnmatch|ftw|fts|libgen'
    posix+='|utime|utmp|pwd|grp|termios|poll|iconv|langinfo|nl_types|syslog|mntent|wordexp'
    posix+='|regex|netdb|aio|mqueue|strings|ulimit|err|error|getopt|features|alloca|malloc'
    posix+='|execinfo|link|elf|shadow|paths|stdio_ext|endian|byteswap|sysexits'
    windows='win[a-z0-9_]*|shlobj(_core)?|shellapi|shlwapi|shlguid|objbase|ole2|oleauto|olectl'
    windows+='|combaseapi|commctrl|commdlg|direct|io|process|conio|tchar|share|fileapi'
    windows+='|handleapi|synchapi|processthreadsapi|sysinfoapi|timezoneapi|minwindef|wtypes'
    windows+='|basetsd|unknwn|ntdef|ntstatus|knownfolders|userenv|psapi|tlhelp32|dbghelp'
    windows+='|crtdbg|mmsystem|lmcons|objidl|ocidl|propidl|rpc|rpcndr|sdkddkver|ws2tcpip'
    angle="^((${posix}|${windows})\\.h|(sys|arpa|netinet|net|linux|asm|asm-generic)/.*)\$"
    quoted=$angle
    ;;
  qt)
    allowed=(ui/qt tests/gui)
    what="a Qt header outside ui/qt/"
    angle='^(Q[A-Za-z0-9]*(\.h)?|Qt[A-Za-z0-9]*/.*|q[a-z0-9_]+\.h)$'
    quoted='^Qt[A-Za-z0-9]*/.*$'
    ;;
  *)
    echo "usage: $0 platform|qt [root]" >&2
    exit 2
    ;;
esac

prune=(-path "$root/.git" -o -path "$root/build*" -o -path "$root/.wine*" -o -path "$root/out")
for dir in "${allowed[@]}"; do
  prune+=(-o -path "$root/$dir")
done

# One awk over every source file; the patterns go through the environment because awk -v
# would eat their backslashes.
export CHECK_ANGLE=$angle CHECK_QUOTED=$quoted CHECK_ROOT="$root/" CHECK_FOLD=0
[ "$mode" = platform ] && CHECK_FOLD=1
hits=$(find "$root" \( "${prune[@]}" \) -prune -o -type f \
         \( -name '*.h' -o -name '*.hh' -o -name '*.hpp' -o -name '*.hxx' -o -name '*.inl' \
            -o -name '*.c' -o -name '*.cc' -o -name '*.cpp' -o -name '*.cxx' \) -print0 |
       xargs -0 -r awk '
         /^[ \t]*#[ \t]*include[ \t]*[<"]/ {
           match($0, /[<"][^>"]*[>"]/)
           name = substr($0, RSTART + 1, RLENGTH - 2)
           if (ENVIRON["CHECK_FOLD"] == 1) name = tolower(name)
           angle = substr($0, RSTART, 1) == "<"
           pattern = angle ? ENVIRON["CHECK_ANGLE"] : ENVIRON["CHECK_QUOTED"]
           if (name ~ pattern) {
             file = FILENAME
             root = ENVIRON["CHECK_ROOT"]
             if (index(file, root) == 1) file = substr(file, length(root) + 1)
             print file ":" FNR ": " $0
           }
         }')

if [ -n "$hits" ]; then
  echo "$hits"
  echo "check-includes: $what" >&2
  exit 1
fi
echo "check-includes $mode: clean"
