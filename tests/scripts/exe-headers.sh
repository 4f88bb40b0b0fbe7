#!/usr/bin/env bash
# Checks what a built Windows exe's headers promise: randomised high addresses, DEP and
# terminal-server awareness; no debug sections and no symbol table; no path of the build machine;
# and an import table that names only DLLs Windows takes from the system folder whatever lies
# beside the exe, which itself restricts the search of what it loads later. Names every fault it
# finds and then exits 1.
#   exe-headers.sh OBJDUMP EXE [FOLDER...]   (FOLDER: a build-machine path the file must not hold)
set -euo pipefail
objdump="$1" exe="$2"
shift 2
strings="${objdump%objdump}strings"

# The KnownDLLs of Windows 10 and 11 (Session Manager\KnownDLLs in the registry): Windows loads
# these from the system folder only. A delay-loaded DLL would not show in the import table: the
# program loads those itself, from the system folder (src/framework/SystemLibrary.h).
known=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt "
known+=" normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32 "
faults=0
fault() {
    echo "FAULT: $*"
    faults=$((faults + 1))
}

headers="$("$objdump" -p "$exe")"
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE; do
    sed -n '/^DllCharacteristics/,/^[A-Z]/p' <<<"$headers" | grep -qw "$flag" || fault "DllCharacteristics lack $flag"
done
grep -q '^[[:space:]]*symbols stripped' <<<"$headers" || fault "the file holds a symbol table"
debug="$("$objdump" -h "$exe" | awk '$2 ~ /^\.debug/ {print $2}' | tr '\n' ' ')"
[ -z "$debug" ] || fault "debug sections: $debug"

text="$("$strings" -a "$exe"; "$strings" -a -el "$exe")"
# Debug information names the folders it was compiled in, on this machine or the runtime's builder.
absolute="$(grep -oE '(^|[^[:alnum:]_.~-])/(build|home|mnt|opt|root|srv|tmp|usr|var|work)(/[^[:space:]"]*)?' <<<"$text" |
    sed 's|^[^/]||' | sort -u | head -5 | tr '\n' ' ')" || true
[ -z "$absolute" ] || fault "absolute paths of a build machine: $absolute"
for folder in "$@"; do
    # Also as Wine and Windows write it, Z:\work\...
    windows="${folder//\//\\}"
    if grep -qF -e "$folder" -e "$windows" <<<"$text"; then
        fault "the file holds the build machine's path $folder"
    fi
done

dlls="$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sed 's/\.dll$//')"
grep -qx kernel32 <<<"$dlls" || fault "no import table read (not even KERNEL32)"
for dll in $dlls; do
    [[ $known == *" $dll "* ]] && continue
    # No KnownDLL, but named by the manifest: version 6 comes from the side-by-side store.
    if [ "$dll" = comctl32 ] && grep -q 'name="Microsoft.Windows.Common-Controls" version="6' <<<"$text"; then
        continue
    fi
    fault "imports $dll.dll, which Windows looks for beside the exe first"
done

# A delay-loaded DLL is in no import table: none may hide there from the allowlist above.
delay="$(grep -E 'Delay Import Directory$' <<<"$headers" | awk '{print $3 $4}')"
[ -n "$delay" ] || fault "no data directory read (not even the delay-import entry)"
[ -z "${delay//0/}" ] || fault "delay-loads a DLL, which the allowlist cannot see"

# The program's first act limits the DLL search to the system folder (src/app/Main.cpp).
sed -n '/DLL Name: KERNEL32/,/^$/p' <<<"$headers" | grep -qw SetDefaultDllDirectories ||
    fault "does not call SetDefaultDllDirectories"

[ "$faults" -eq 0 ] || exit 1
echo "$exe: hardened; imports $(echo $dlls)"
