#!/usr/bin/env bash
# Starts Velmora.exe under the project's Wine environment: on the user's display when DISPLAY
# works, else on a private Xvfb (and says so). When the program ends (its window closed, or Ctrl+C)
# the Wine server and the private Xvfb stop again, unless they were up before.
#   run-velmora.sh BUILD [FILE]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
build=$1; file=${2:-}
velmora_wine_note_running "$build" || exit 1
program=""
finish() {
  [[ -n "$program" ]] && kill "$program" 2>/dev/null
  velmora_wine_down_started
}
trap finish EXIT
trap 'exit 130' INT TERM
velmora_wine_up "$build" || exit 1
if [[ -n "${VELMORA_PRIVATE_DISPLAY:-}" ]]; then
  echo "run: no usable DISPLAY; Velmora runs on a private Xvfb at $DISPLAY (see it with 'make screenshot', end it with Ctrl+C)"
else
  echo "run: Velmora runs on $DISPLAY"
fi
if [[ -n "${VELMORA_PRINTER:-}" ]]; then
  echo "run: printing goes to the PDF queue $VELMORA_PRINTER; the files land in $VELMORA_PRINTED"
fi
args=()
if [[ -n "$file" ]]; then
  # Wine sees the Unix root as drive Z:.
  abs=$(realpath -m -- "$file")
  args+=("Z:${abs//\//\\}")
fi
# In the background, so that Ctrl+C reaches the traps at once; what Wine prints comes as UTF-8.
wine "$VELMORA_BUILD/app/Velmora.exe" "${args[@]}" </dev/null > >(iconv -f CP932 -t UTF-8 -c) 2>&1 &
program=$!
wait "$program"
rc=$?
program=""
exit $rc
