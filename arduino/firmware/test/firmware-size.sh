#!/usr/bin/env bash
# Prints the flash and RAM use of both firmware images and fails when the RAM left
# for the stack falls below what the interpreter and the libraries need.
# usage: firmware-size.sh <firmware-dir>
set -euo pipefail
dir="$1"
failed=0
for limits in Uno:2048:400 Mega:8192:600; do
  IFS=: read -r board ram reserve <<<"$limits"
  elf="$dir/Morvane.ino.$board.elf"
  read -r text data bss _ < <(avr-size "$elf" | tail -1)
  used=$((data + bss)); left=$((ram - used))
  printf '%-5s flash %6d  ram %5d  left for the stack %5d (needs %d)\n' "$board" $((text + data)) "$used" "$left" "$reserve"
  [ "$left" -ge "$reserve" ] || failed=1
done
exit $failed
