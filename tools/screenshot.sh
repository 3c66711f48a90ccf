#!/usr/bin/env bash
# Takes a screenshot of Velmora's main window for the README: starts the project's Wine environment
# (a private Xvfb when there is no display), runs Velmora.exe with the sample document, moves the
# caret to its end, waits until the window is on screen and drawn, captures it and ends the program.
#   screenshot.sh BUILD OUT.png [DOCUMENT]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
build=$1; out=$2; document=${3:-$here/../docs/sample.txt}

velmora_wine_note_running "$build" || exit 1
velmora_wine_up "$build" || exit 1

args=()
if [[ -f "$document" ]]; then
  abs=$(realpath -- "$document")
  args+=("Z:${abs//\//\\}")
fi
setsid wine "$VELMORA_BUILD/app/Velmora.exe" "${args[@]}" </dev/null >/dev/null 2>&1 &
program=$!

finish() {
  kill "$program" 2>/dev/null && wait "$program" 2>/dev/null
  velmora_wine_down_started
}
trap finish EXIT

# Every caption of the editor ends in " :  Velmora"; under the virtual desktop each top-level window
# of a Wine program is an X window of its own, found by that name.
window=""
find_window() { window=$(xdotool search --onlyvisible --name ' :  Velmora$' 2>/dev/null | head -n 1); [[ -n "$window" ]]; }
wait_for 20 find_window || { echo "screenshot: Velmora's window did not appear" >&2; exit 1; }
find_window
# The caret goes to the end of the document, so that the status bar shows its line and column.
xdotool windowfocus --sync "$window" key ctrl+End 2>/dev/null || true

# The window is drawn once it looks the same in two captures in a row.
tmp=$(mktemp -d)
previous=""
for attempt in $(seq 50); do
  import -window "$window" "$tmp/shot.png" 2>/dev/null || { sleep 0.2; continue; }
  current=$(convert "$tmp/shot.png" rgb:- 2>/dev/null | md5sum)
  if [[ "$current" == "$previous" ]]; then
    mkdir -p "$(dirname "$out")"
    cp "$tmp/shot.png" "$out"
    rm -rf "$tmp"
    echo "screenshot: wrote $out ($(identify -format '%wx%h' "$out"))"
    exit 0
  fi
  previous=$current
  sleep 0.2
done
rm -rf "$tmp"
echo "screenshot: the window did not settle" >&2
exit 1
