#!/usr/bin/env bash
# Runs one Windows program of the build (a test, a benchmark) under the project's Wine
# environment and prints its output as UTF-8.
#   wine-run.sh BUILD PROGRAM.exe [ARGS...]
# Output goes through a file, not a pipe: programs the test starts inherit it, and a
# pipe would keep the caller waiting for them.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
build=$1; program=$2; shift 2
velmora_wine_up "$build" || exit 1
out=$(mktemp "$state/run.XXXXXX")
timeout --kill-after=10 "${VELMORA_RUN_TIMEOUT:-900}" wine "$program" "$@" </dev/null >"$out" 2>&1
rc=$?
# A second virtual desktop on the display would come between the other tests and the mouse.
if [[ -n "${VELMORA_NO_PRINTER:-}" ]]; then
  wineserver -k </dev/null >/dev/null 2>&1 || true
  rm -f "${server}server.display"
fi
iconv -f CP932 -t UTF-8 -c < "$out" | tr -d '\r'
rm -f "$out"
exit $rc
