#!/usr/bin/env bash
# Checks that a built Velmora.exe is what users get: a 32-bit (PE32, i386) Windows GUI program, stripped
# of debugging sections, importing only DLLs every Windows installation has. Runs on the build machine.
#   check-exe.sh OBJDUMP EXE
set -uo pipefail
objdump=$1; exe=$2

# DLLs that ship with Windows itself. A runtime DLL (libstdc++, libgcc, libwinpthread) would mean the
# copy of Velmora.exe alone no longer runs elsewhere.
system_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ole32.dll
  oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll winmm.dll winspool.drv "

headers=$("$objdump" -p "$exe") || { echo "check-exe: cannot read $exe"; exit 1; }
sections=$("$objdump" -h "$exe") || exit 1
failed=0
fail() { echo "check-exe: $*"; failed=1; }

grep -q 'file format pei-i386' <<<"$headers" || fail "not an i386 PE file"
grep -qE '^Magic[[:space:]]+010b' <<<"$headers" || fail "not PE32"
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a Windows GUI program"
grep -q 'DEBUGGING' <<<"$sections" && fail "keeps debugging sections (link with -s)"

imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr -d '\r')
[[ -n "$imports" ]] || fail "imports no DLL at all (could not read the import table)"
while read -r dll; do
  [[ -z "$dll" ]] && continue
  lower=${dll,,}
  [[ "$system_dlls" == *" $lower "* ]] || fail "imports $dll, which is not a system DLL"
done <<<"$imports"

echo "check-exe: imports: $(tr '\n' ' ' <<<"$imports")"
exit $failed
