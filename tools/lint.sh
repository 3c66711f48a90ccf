#!/usr/bin/env bash
# `make lint`: clang-tidy 14 with the repository's .clang-tidy over every Velmora source the build
# compiles (and the headers they include), as the cross compiler sees them. Fails on any finding.
#   lint.sh BUILD [FILE...]    (without FILEs: all of them)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "$1" && pwd) || exit 1; shift
db=$build/compile_commands.json
[[ -f "$db" ]] || { echo "lint: $db is missing (configure the build first)"; exit 1; }
tidy=$(command -v clang-tidy-14 || command -v clang-tidy) ||
  { echo "lint: clang-tidy 14 is not installed (tools/setup.sh installs it)"; exit 1; }

# The sources: given ones, or every C++ file of the repository in the compile database.
if (( $# )); then
  files=()
  for file in "$@"; do files+=("$(realpath "$file")"); done
else
  mapfile -t files < <(python3 - "$db" "$root" <<'PY'
import json, sys
db, root = sys.argv[1], sys.argv[2] + "/"
for entry in json.load(open(db)):
    f = entry["file"]
    if f.startswith(root) and f.endswith(".cpp") and not f.startswith(root + "build"):
        print(f)
PY
)
fi
(( ${#files[@]} )) || { echo "lint: no sources to check"; exit 1; }

# clang parses for the cross compiler's target with the cross compiler's C++ library headers; the
# narrow literals stay UTF-8 (clang knows no CP932), which changes no check.
cxx=$(python3 -c 'import json,sys; print(next(e["command"].split()[0] for e in json.load(open(sys.argv[1])) if e["file"].endswith(".cpp")))' "$db")
args=(--extra-arg=--target=i686-w64-mingw32 --extra-arg=-fexec-charset=UTF-8
      --extra-arg=-Wno-unknown-warning-option --extra-arg=-nostdinc++)
while read -r dir; do
  args+=("--extra-arg=-isystem$dir")
done < <(echo | "$cxx" -std=c++20 -E -x c++ - -v 2>&1 | sed -n '/search starts here:/,/End of search/p' |
         sed -n 's/^ \(.*\/include\/c++.*\)$/\1/p')

report=$(mktemp); trap 'rm -f "$report"' EXIT
printf '%s\0' "${files[@]}" |
  xargs -0 -n 4 -P "${LINT_JOBS:-$(nproc)}" "$tidy" -p "$build" --quiet --header-filter="^$root/(app|bench|framework|platform|tests|tools)/" "${args[@]}" \
  >"$report" 2>&1
status=$?
findings=$(grep -E '^/.*: (warning|error): ' "$report" | sort -u)
if [[ -n "$findings" ]]; then
  echo "$findings"
  echo "lint: $(wc -l <<<"$findings") findings in ${#files[@]} sources"
  exit 1
fi
if (( status != 0 )); then
  cat "$report"; echo "lint: clang-tidy failed"; exit 1
fi
echo "lint: ${#files[@]} sources clean"
