#!/usr/bin/env bash
# Installs what building and testing Velmora needs on Debian 12 (amd64), as root.
# Quick when everything is present: one dpkg query and one locale check.
set -euo pipefail

packages=(
  g++ make cmake ninja-build python3
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev googletest
  wine wine32:i386 xvfb xauth x11-utils xdotool imagemagick
  clang-format-14 clang-tidy-14 git
  locales fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine
  # a real printer for printing: a CUPS server with a PDF queue; wine32 loads the 32-bit library
  cups cups-bsd printer-driver-cups-pdf libcups2:i386 poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

need_locale=0
locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' || need_locale=1

if (( ${#missing[@]} == 0 && need_locale == 0 )); then
  exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
  echo "setup: missing packages (${missing[*]:-none}) or locale ja_JP.UTF-8; run as root to install them" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt_get() { apt-get -o DPkg::Lock::Timeout=600 -y -q "$@"; }

if (( ${#missing[@]} )); then
  echo "setup: installing ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt_get update
  apt_get install --no-install-recommends "${missing[@]}"
fi

if (( need_locale )); then
  echo "setup: generating the ja_JP.UTF-8 locale"
  if ! dpkg-query -W -f='${Status}' locales 2>/dev/null | grep -q 'install ok installed'; then
    apt_get install --no-install-recommends locales
  fi
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
echo "setup: done in ${SECONDS} s"
