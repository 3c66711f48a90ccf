#!/usr/bin/env bash
# The Wine environment every run of Velmora and of its tests uses:
# a private 32-bit prefix under the build folder, Japanese locale (code page 932),
# quiet Wine, one shared virtual desktop, and a private Xvfb when there is no display.
#
#   wine-env.sh BUILD up      make sure display, prefix, wineserver and desktop are up
#   wine-env.sh BUILD down    stop the wineserver and the private Xvfb started by "up"
#   wine-env.sh BUILD exec CMD [ARGS...]   run a command inside the environment
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

write_registry() {
  local reg="$state/prefix.reg"
  iconv -f UTF-8 -t UTF-16LE > "$reg.body" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"
"ＭＳ 明朝"="IPAMincho"
"ＭＳ Ｐ明朝"="IPAPMincho"

REG
  { printf '\xff\xfe'; cat "$reg.body"; } > "$reg"
  rm -f "$reg.body"
  wine regedit /S "$reg" </dev/null >/dev/null 2>&1
}

make_prefix() {
  [[ -f "$WINEPREFIX/.velmora-ready" ]] && return 0
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

start_server() {
  # A wineserver started under another display makes CreateWindow fail: restart it.
  local previous; previous=$(cat "$state/server.display" 2>/dev/null || true)
  if [[ "$previous" != "$DISPLAY" ]]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
  echo "$DISPLAY" > "$state/server.display"
  # Helper processes inherit the first program's output: start them here, detached.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine wineboot </dev/null >/dev/null 2>&1
  local keeper="$VELMORA_BUILD/tools/desktop-keeper.exe"
  local pid; pid=$(cat "$state/keeper.pid" 2>/dev/null || true)
  if [[ -x "$keeper" || -f "$keeper" ]] && ! { [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; }; then
    setsid wine "$keeper" </dev/null >/dev/null 2>&1 &
    echo $! > "$state/keeper.pid"
  fi
}

velmora_wine_up() {
  velmora_wine_vars "$1" || return 1
  choose_display || return 1
  make_prefix || return 1
  start_server
}

velmora_wine_down() {
  velmora_wine_vars "$1" || return 1
  wineserver -k </dev/null >/dev/null 2>&1 || true
  rm -f "$state/server.display" "$state/keeper.pid"
  local pid; pid=$(cat "$state/xvfb.pid" 2>/dev/null || true)
  if [[ -n "$pid" ]]; then
    kill "$pid" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/xvfb.display"
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
