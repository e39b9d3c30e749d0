#!/bin/sh
# Prepares (or removes) a directory the program cannot write to, holding a
# copy of the program: a read-only bind mount, which binds even for root.
# Usage: readonly-dir.sh setup DIR EXE | readonly-dir.sh cleanup DIR
# Where mounting is not allowed, no directory is left and the test skips.
dir=$2
umount "$dir" 2>/dev/null
rm -rf "$dir" "$dir.src"
[ "$1" = setup ] || exit 0
mkdir -p "$dir.src" "$dir" && cp "$3" "$dir.src/" || exit 0
if ! { mount --bind "$dir.src" "$dir" && mount -o remount,ro,bind "$dir"; } 2>/dev/null; then
  umount "$dir" 2>/dev/null
  rm -rf "$dir" "$dir.src"
fi
exit 0
