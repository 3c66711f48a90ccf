#!/usr/bin/env bash
# A tiny disk for the tests that write onto a full disk: a 256 KB tmpfs mounted on FOLDER.
#
#   small-disk.sh up FOLDER     mount it (needs the right to mount; without it FOLDER stays an
#                               ordinary folder and the tests that need a full disk skip)
#   small-disk.sh down FOLDER   unmount it
set -u
action=$1 folder=$2
case $action in
  up)
    mkdir -p "$folder"
    mountpoint -q "$folder" || mount -t tmpfs -o size=256k velmora-small-disk "$folder" 2>/dev/null ||
      echo "small-disk: $folder could not be mounted; the full-disk tests skip" >&2
    ;;
  down)
    if mountpoint -q "$folder"; then umount "$folder" 2>/dev/null || umount -l "$folder"; fi
    ;;
  *) echo "usage: $0 up|down FOLDER" >&2; exit 2 ;;
esac
exit 0
