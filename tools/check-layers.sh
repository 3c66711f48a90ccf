#!/usr/bin/env bash
# Fails when code outside platform/ calls the operating system itself: no static library or object
# file given may reference a function of a Windows system DLL's import library; only platform/ does.
# Runs on the build machine.
#   check-layers.sh CXX NM FILE...   (CXX finds the import libraries; FILEs are .a or .obj)
set -uo pipefail
cxx=$1; nm=$2; shift 2
(( $# )) || { echo "check-layers: no library or object file given"; exit 1; }

# Every function the system DLLs export, as the import libraries name it (with and without __imp_).
system_libs="advapi32 comctl32 comdlg32 gdi32 imm32 kernel32 ole32 oleaut32 shell32 shlwapi user32 uxtheme
  version winmm winspool"
exports=$(mktemp); trap 'rm -f "$exports"' EXIT
for lib in $system_libs; do
  path=$("$cxx" -print-file-name="lib$lib.a")
  [[ -f "$path" ]] || { echo "check-layers: no import library lib$lib.a beside $cxx"; exit 1; }
  "$nm" --defined-only "$path" 2>/dev/null | awk '$2 == "T" || $2 == "I" { sub(/^__imp_/, "", $3); print $3 }'
done | sort -u >"$exports"
[[ -s "$exports" ]] || { echo "check-layers: read no exported function from the import libraries"; exit 1; }

# Each undefined reference of the files, as "file:member symbol" (the symbol without __imp_).
calls=$(for file in "$@"; do
  [[ -f "$file" ]] || { echo "check-layers: $file is missing" >&2; exit 1; }
  "$nm" -A -u "$file" 2>/dev/null | awk '{ sym = $NF; sub(/^__imp_/, "", sym); file = $1; sub(/:$/, "", file); print sym, file }'
done | sort -k1,1 | join -o 1.2,1.1 - "$exports") || exit 1

if [[ -n "$calls" ]]; then
  echo "check-layers: code outside platform/ calls the operating system directly (add a platform/ function):"
  sed 's/^/  /' <<<"$calls"
  exit 1
fi
echo "check-layers: $(wc -l <"$exports") system functions, none called outside platform/ by: $*"
