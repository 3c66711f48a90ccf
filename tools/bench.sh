#!/usr/bin/env bash
# Runs every benchmark program of a build (BUILD/bench/*_bench.exe) under the project's Wine
# environment and prints their figures. Each gets a 50 MB Shift-JIS document, generated into the
# build folder on first use, and a scratch folder there. The Wine server and private Xvfb that
# the run starts stop at its end.
#   bench.sh BUILD
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "$1" && pwd)
source "$here/wine-env.sh"
velmora_wine_note_running "$build" || exit 1
trap velmora_wine_down_started EXIT
data="$build/bench-data"
document="$data/big-sjis-50mb.txt"
scratch="$data/scratch"
mkdir -p "$scratch"
if [[ ! -s "$document" ]]; then
  echo "bench: writing $document"
  python3 "$here/gen-big-sjis.py" "$document" 50 || exit 1
fi

shopt -s nullglob
programs=("$build"/bench/*_bench.exe)
if (( ${#programs[@]} == 0 )); then
  echo "bench: no benchmark programs in $build/bench" >&2
  exit 1
fi
rc=0
for program in "${programs[@]}"; do
  echo "== $(basename "$program" .exe)"
  VELMORA_RUN_TIMEOUT=3600 "$here/wine-run.sh" "$build" "$program" "Z:$document" "Z:$scratch" || rc=1
done
exit $rc
