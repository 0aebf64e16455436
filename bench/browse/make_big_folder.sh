#!/bin/bash
# Makes C:\qrv-big\gross with 5,000 files (every tenth a .bmp) in the Wine
# prefix from the Unix side: Wine checks every new name against the whole
# folder, so making them from Windows takes most of a minute.
set -eu
[ -n "${WINEPREFIX:-}" ] || exit 0
dir="$WINEPREFIX/drive_c/qrv-big/gross"
[ "$(ls "$dir" 2>/dev/null | wc -l)" = 5000 ] && exit 0
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"
for n in $(seq -f "f%04g" 0 4999); do
  case "$n" in *0) echo x > "$n.bmp" ;; *) echo x > "$n.txt" ;; esac
done
