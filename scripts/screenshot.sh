#!/usr/bin/env bash
# A picture of the control as a container shows it: the x86_64 VireoBR.dll registered under Wine (the
# prefix of the Wine check), vireo-container.exe placing it on a folder with a few subfolders and files on
# a virtual X display, the window saved as a BMP and turned into a PNG.
# Usage: scripts/screenshot.sh [output.png] [build folder of the x86_64 build]
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=${1:-build/screenshot.png}
BUILD=${2:-build/mingw-x86_64}
source scripts/wine-prefix.sh
dir="$WINEPREFIX/drive_c/vireo"
mkdir -p "$dir"
cp "$BUILD/VireoBR.dll" "$BUILD/vireo-container.exe" "$dir/"

# The folder on show.
demo="$WINEPREFIX/drive_c/VireoDemo"
rm -rf "$demo"
mkdir -p "$demo/Documents/Letters" "$demo/Pictures" "$demo/Projects/VireoBR" "$demo/Music"
printf 'Notes for the week\n' >"$demo/notes.txt"
printf 'name,size\nvireo,1\n' >"$demo/table.csv"
head -c 4096 /dev/zero >"$demo/archive.zip"

log=build/wine/screenshot.log
shot='C:\vireo\screenshot.bmp'
rm -f "$dir/screenshot.bmp"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
    '$WINE' regsvr32 /s 'C:\\vireo\\VireoBR.dll' &&
    printf '%s\n' 'invoke Activate' 'click 12 -12' 'invoke NavigateTV \"C:\\VireoDemo\"' 'wait 3000' 'shot $shot' 'quit' |
        '$WINE' 'C:\\vireo\\vireo-container.exe'" 2>"$log" | tr -d '\r'
"$WINESERVER" -w 2>/dev/null || true
[ -s "$dir/screenshot.bmp" ] || { echo "no screenshot was saved (see $log)"; exit 1; }
mkdir -p "$(dirname "$OUT")"
convert "$dir/screenshot.bmp" "$OUT"
echo "screenshot: $OUT"
