#!/usr/bin/env bash
# The Wine environment every run of Velmora and of its tests uses:
# a private 32-bit prefix under the build folder, Japanese locale (code page 932),
# quiet Wine, one shared virtual desktop, a private Xvfb when there is no display, and a real
# printer: a CUPS server with a PDF queue of this build (printing to BUILD/printed) as the default.
#
#   wine-env.sh BUILD up      make sure display, prefix, wineserver and desktop are up
#   wine-env.sh BUILD down    stop the wineserver and the private Xvfb started by "up"
#   wine-env.sh BUILD exec CMD [ARGS...]   run a command inside the environment
#
# With VELMORA_NO_PRINTER=1 the environment is a second prefix, with its own wineserver, that sees
# no printer at all (the CUPS library is pointed at a server that does not exist).
#
# Sourcing it with BUILD set gives the functions without running anything.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

velmora_wine_vars() {
  local build; build=$(cd "$1" && pwd)
  export VELMORA_BUILD="$build"
  export WINEPREFIX="$build/wineprefix"
  export WINEARCH=win32
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  state="$build/wine-state"
  mkdir -p "$state"
  server="$state/"  # where the wineserver's own state files go
  if [[ -n "${VELMORA_NO_PRINTER:-}" ]]; then
    export WINEPREFIX="$build/wineprefix-noprinter"
    export CUPS_SERVER=/nonexistent/cups.sock
    server="$state/noprinter-"
  fi
}

# Waits until COMMAND succeeds or SECONDS pass.
wait_for() {
  local seconds=$1; shift
  local deadline=$(( $(date +%s) + seconds ))
  until "$@" >/dev/null 2>&1; do
    (( $(date +%s) < deadline )) || return 1
    sleep 0.1
  done
}

display_works() { xdpyinfo -display "$1" >/dev/null 2>&1; }

choose_display() {
  if [[ -n "${VELMORA_DISPLAY:-}" ]]; then
    export DISPLAY="$VELMORA_DISPLAY"
  elif [[ -n "${DISPLAY:-}" ]] && display_works "$DISPLAY"; then
    :
  else
    local pid display
    pid=$(cat "$state/xvfb.pid" 2>/dev/null || true)
    display=$(cat "$state/xvfb.display" 2>/dev/null || true)
    if [[ -n "$pid" && -n "$display" ]] && kill -0 "$pid" 2>/dev/null && display_works "$display"; then
      export DISPLAY="$display"
    else
      local n=90
      while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
      setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
      echo $! > "$state/xvfb.pid"
      echo ":$n" > "$state/xvfb.display"
      export DISPLAY=":$n"
      wait_for 15 display_works "$DISPLAY" || { echo "wine-env: Xvfb :$n did not start" >&2; return 1; }
    fi
    VELMORA_PRIVATE_DISPLAY=1
  fi
}

# The prefix's settings: the shared virtual desktop, no crash dialog, Windows' pale yellow behind
# tips and info panels, and Japanese font names mapped to the fonts that are there.
registry_text() {
  cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Control Panel\Colors]
"InfoWindow"="255 255 225"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"
"ＭＳ 明朝"="IPAMincho"
"ＭＳ Ｐ明朝"="IPAPMincho"
"MS UI Gothic"="IPAPGothic"

REG
}

# Writes the settings into the prefix and notes which settings it holds.
write_registry() {
  local reg="$state/prefix.reg"
  { printf '\xff\xfe'; registry_text | iconv -f UTF-8 -t UTF-16LE; } > "$reg"
  wine regedit /S "$reg" </dev/null >/dev/null 2>&1
  registry_text | cksum > "$WINEPREFIX/.velmora-registry"
}

make_prefix() {
  if [[ -f "$WINEPREFIX/.velmora-ready" ]]; then
    # A prefix made before the settings last changed takes the new ones.
    [[ "$(registry_text | cksum)" == "$(cat "$WINEPREFIX/.velmora-registry" 2>/dev/null)" ]] || write_registry
    return 0
  fi
  echo "wine-env: creating the Wine prefix $WINEPREFIX" >&2
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  write_registry
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -w </dev/null >/dev/null 2>&1
  touch "$WINEPREFIX/.velmora-ready"
}

# The PDF queue of this build: its name, and the folder its PDFs land in.
printer_vars() {
  local tag; tag=$(printf '%s' "$VELMORA_BUILD" | cksum | cut -d' ' -f1)
  export VELMORA_PRINTER="Velmora_PDF_$tag"
  export VELMORA_PRINTED="$VELMORA_BUILD/printed"
  # The queue is the default printer of every Wine process of this environment (Wine takes the
  # default from the CUPS library, which reads these before the server's own default).
  export PRINTER="$VELMORA_PRINTER" LPDEST="$VELMORA_PRINTER"
}

cups_running() { LC_ALL=C lpstat -r 2>/dev/null | grep -q 'is running'; }

# Starts cupsd when it is not running and makes sure this build's PDF queue exists. Wine drops
# the CUPS printers from a prefix whose first process starts without the server, so this runs
# before any Wine process. Returns 1 (the caller restarts the wineserver) when the server was
# started or the queue made here.
start_printer() {
  printer_vars
  [[ -x /usr/sbin/cupsd ]] || { echo "wine-env: CUPS is not installed; there is no printer" >&2; return 0; }
  mkdir -p "$VELMORA_PRINTED"
  local changed=0
  (
    # Several build folders may bring the server up at once.
    flock -w 60 9 || exit 0
    if ! cups_running; then
      mkdir -p /run/cups
      setsid /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 9>&- &
      wait_for 30 cups_running || { echo "wine-env: cupsd did not start" >&2; exit 0; }
      echo started > "$state/printer.changed"
    fi
    local conf="/etc/cups/cups-pdf-$VELMORA_PRINTER.conf"
    if [[ "$(cat "$conf" 2>/dev/null)" != "Out $VELMORA_PRINTED" ]]; then
      printf 'Out %s\n' "$VELMORA_PRINTED" > "$conf"
    fi
    if ! lpstat -p "$VELMORA_PRINTER" >/dev/null 2>&1; then
      lpadmin -p "$VELMORA_PRINTER" -v "cups-pdf:/$VELMORA_PRINTER" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
        -o PageSize=A4 -E >/dev/null 2>&1 || { echo "wine-env: could not make the queue $VELMORA_PRINTER" >&2; exit 0; }
      echo made > "$state/printer.changed"
    fi
    # The server's default too, when it has none, so that other programs print there as well.
    LC_ALL=C lpstat -d 2>/dev/null | grep -q 'system default destination:' || lpadmin -d "$VELMORA_PRINTER" >/dev/null 2>&1
  ) 9>/tmp/velmora-cups.lock
  if [[ -f "$state/printer.changed" ]]; then
    rm -f "$state/printer.changed"
    changed=1
  fi
  return $(( changed ))
}

start_server() {
  # A wineserver started under another display makes CreateWindow fail: restart it.
  local previous; previous=$(cat "${server}server.display" 2>/dev/null || true)
  if [[ "$previous" != "$DISPLAY" ]]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
  # The printers are read when a prefix's first process starts: a server that ran before the
  # printer was there is restarted.
  if [[ -n "${VELMORA_PRINTER_CHANGED:-}" ]]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
  echo "$DISPLAY" > "${server}server.display"
  # Helper processes inherit the first program's output: start them here, detached.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine wineboot </dev/null >/dev/null 2>&1
  local keeper="$VELMORA_BUILD/tools/desktop-keeper.exe"
  local pid; pid=$(cat "${server}keeper.pid" 2>/dev/null || true)
  # The printer-less environment is brought down after each run (wine-run.sh): no keeper there.
  if [[ -z "${VELMORA_NO_PRINTER:-}" ]] && [[ -x "$keeper" || -f "$keeper" ]] &&
    ! { [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; }; then
    setsid wine "$keeper" </dev/null >/dev/null 2>&1 &
    echo $! > "${server}keeper.pid"
  fi
}

velmora_wine_up() {
  velmora_wine_vars "$1" || return 1
  choose_display || return 1
  if [[ -z "${VELMORA_NO_PRINTER:-}" ]]; then
    start_printer || VELMORA_PRINTER_CHANGED=1
  fi
  make_prefix || return 1
  start_server
}

velmora_wine_down() {
  velmora_wine_vars "$1" || return 1
  wineserver -k </dev/null >/dev/null 2>&1 || true
  WINEPREFIX="$VELMORA_BUILD/wineprefix-noprinter" wineserver -k </dev/null >/dev/null 2>&1 || true
  rm -f "$state/server.display" "$state/keeper.pid" "$state/noprinter-server.display" "$state/noprinter-keeper.pid"
  local pid; pid=$(cat "$state/xvfb.pid" 2>/dev/null || true)
  if [[ -n "$pid" ]]; then
    kill "$pid" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/xvfb.display"
  fi
}

# Notes which parts of the environment are up before a command brings it up, so that the command
# can stop afterwards what it started itself (velmora_wine_down_started) and leave the rest.
velmora_wine_note_running() {
  velmora_wine_vars "$1" || return 1
  local pid
  VELMORA_SERVER_WAS_UP=0 VELMORA_XVFB_WAS_UP=0
  pid=$(cat "${server}keeper.pid" 2>/dev/null || true)
  [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null && VELMORA_SERVER_WAS_UP=1
  pid=$(cat "$state/xvfb.pid" 2>/dev/null || true)
  [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null && VELMORA_XVFB_WAS_UP=1
  return 0
}

# Stops the wineserver (with every Wine process of the prefix) and the private Xvfb when they were
# not up at velmora_wine_note_running.
velmora_wine_down_started() {
  if (( ! ${VELMORA_SERVER_WAS_UP:-1} )); then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    rm -f "${server}server.display" "${server}keeper.pid"
  fi
  if (( ! ${VELMORA_XVFB_WAS_UP:-1} )); then
    local pid; pid=$(cat "$state/xvfb.pid" 2>/dev/null || true)
    if [[ -n "$pid" ]]; then
      kill "$pid" 2>/dev/null || true
      rm -f "$state/xvfb.pid" "$state/xvfb.display"
    fi
  fi
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  [[ $# -ge 2 ]] || { echo "usage: $0 BUILD up|down|exec CMD..." >&2; exit 2; }
  build=$1; action=$2; shift 2
  case "$action" in
    up) velmora_wine_up "$build" ;;
    down) velmora_wine_down "$build" ;;
    exec) velmora_wine_up "$build" && exec "$@" ;;
    *) echo "wine-env: unknown action $action" >&2; exit 2 ;;
  esac
fi
