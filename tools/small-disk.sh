#!/usr/bin/env bash
# A size-limited folder for the full-disk tests: mounts a 256 kB tmpfs on a
# folder of the Wine prefix's drive C, or takes it away again.
#   small-disk.sh mount|unmount FOLDER
# Without the right to mount (not root) it does nothing, and the tests that
# need it skip and say so.
set -u
action="$1"; dir="$2"
case "$action" in
  mount)
    mkdir -p "$dir"
    if ! mountpoint -q "$dir"; then
      mount -t tmpfs -o size=256k,mode=0777 mle-small-disk "$dir" 2>/dev/null ||
        echo "small-disk.sh: no size-limited mount here; the full-disk test skips"
    fi
    ;;
  unmount)
    # Lazily: the Wine server may still hold the folder open.
    if mountpoint -q "$dir"; then umount -l "$dir"; fi
    ;;
esac
exit 0
