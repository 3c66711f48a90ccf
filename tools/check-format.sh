#!/usr/bin/env bash
# Fails when a C++ source of the repository is not laid out as its .clang-format says, and names
# the files (`clang-format-14 -i FILE` fixes one). Runs on the build machine.
#   check-format.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 1
formatter=$(command -v clang-format-14 || command -v clang-format) ||
  { echo "check-format: clang-format 14 is not installed (tools/setup.sh installs it)"; exit 1; }

# The files git knows (a fresh clone has no others); outside a checkout, every source but the build's.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' '*.c')
else
  mapfile -t files < <(find . -path './build*' -prune -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print)
fi
existing=()
for file in "${files[@]}"; do [[ -f "$file" ]] && existing+=("$file"); done
files=("${existing[@]}")
(( ${#files[@]} )) || { echo "check-format: no C++ sources found"; exit 1; }

# One run over all of them; each complaint starts with the file's name.
report=$("$formatter" --dry-run --Werror "${files[@]}" 2>&1)
status=$?
mapfile -t unformatted < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" | sort -u)
if (( status != 0 && ${#unformatted[@]} == 0 )); then
  echo "check-format: $formatter failed:"; echo "$report"; exit 1
fi
if (( ${#unformatted[@]} )); then
  echo "check-format: ${#unformatted[@]} of ${#files[@]} files are not formatted (run clang-format-14 -i on them):"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
