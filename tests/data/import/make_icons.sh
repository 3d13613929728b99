#!/usr/bin/env bash
# Makes the real-artwork icons of this folder from the PNG icons of Debian's
# gnome-icon-theme package (GPL-3 / CC-BY-SA-3.0, see its copyright file):
# the 16, 32 and 48 pixel images become 32-bit bitmap entries, the 256 pixel
# image stays a PNG entry (icotool --raw). Run once; the results are kept.
#   apt-get install gnome-icon-theme icoutils
set -euo pipefail
theme=/usr/share/icons/gnome
out=$(cd "$(dirname "$0")" && pwd)
for icon in apps/utilities-terminal apps/accessories-calculator devices/computer apps/web-browser; do
  name=$(basename "$icon")
  icotool -c -o "$out/$name.ico" "$theme/16x16/$icon.png" "$theme/32x32/$icon.png" "$theme/48x48/$icon.png" \
    --raw="$theme/256x256/$icon.png"
done
