#!/usr/bin/env bash
# Registers the x86_64 VireoBR.dll under Wine (its own prefix under build/), runs the checker program,
# and unregisters it again. Usage: scripts/wine-check.sh [build folder of the x86_64 build]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build/mingw-x86_64}
start=$(date +%s.%N)
source scripts/wine-prefix.sh
# The DLL and the checker are copied where Windows paths reach them.
dir="$WINEPREFIX/drive_c/vireo"
mkdir -p "$dir"
cp "$BUILD/VireoBR.dll" "$BUILD/vireo-wine-check.exe" "$BUILD/vireo-container.exe" "$dir/"
# The help-string check compares the type library with the reference it was made from.
cp docs/reference.md "$dir/"

# Wine's own messages go to a log; the checks print on standard output.
log=build/wine/wine.log
: >"$log"
run() { xvfb-run -a "$WINE" "$@" 2>>"$log"; }
command -v xvfb-run >/dev/null || run() { "$WINE" "$@" 2>>"$log"; }

status=0
run regsvr32 /s 'C:\vireo\VireoBR.dll' && echo "ok   regsvr32" || { echo "FAIL regsvr32"; status=1; }
run regsvr32 /s 'C:\vireo\VireoBR.dll' && echo "ok   regsvr32 a second time" || { echo "FAIL regsvr32 twice"; status=1; }
run 'C:\vireo\vireo-wine-check.exe' | tr -d '\r' || status=1
# The container places the control in a window, prints its events and runs member calls.
container_out=$(printf '%s\n' 'invoke OpenArchiveEx "C:\a.zip"' 'put Style 1' 'invoke Style' 'invoke NoSuch' \
    'invoke SwitchView "list"' 'put ForeColor 255' 'invoke Activate' 'invoke m_hwndWB' \
    'invoke NavigateWB "C:\vireo"' 'wait 1500' 'invoke m_hwndSV' 'quit' | run 'C:\vireo\vireo-container.exe' | tr -d '\r')
for want in 'created VireoBR.VireoBrowser, in place: 0x00000000' 'events connected: cookie 1' \
    'event OpenArchive("C:\a.zip")' 'Style -> 1' 'NoSuch: unknown name (0x80020006)' 'SwitchView failed 0x80020005' \
    'changed ForeColor'; do
    if grep -qF -- "$want" <<<"$container_out"; then echo "ok   container: $want"; else
        echo "FAIL container: $want"
        status=1
    fi
done
# Activated, the control has found the web view's window (the WebBrowser control is placed in it); after a
# navigation, its subclass of that window has seen the document view come up inside it.
for field in m_hwndWB m_hwndSV; do
    if grep -qE "^$field -> [1-9]" <<<"$container_out"; then echo "ok   container: $field is found"; else
        echo "FAIL container: $field is 0"
        status=1
    fi
done
run regsvr32 /s /u 'C:\vireo\VireoBR.dll' && echo "ok   regsvr32 /u" || { echo "FAIL regsvr32 /u"; status=1; }
run regsvr32 /s /u 'C:\vireo\VireoBR.dll' && echo "ok   regsvr32 /u when not registered" ||
    { echo "FAIL regsvr32 /u when not registered"; status=1; }
"$WINESERVER" -w 2>/dev/null || true
echo "wine checks took $(echo "$(date +%s.%N) - $start" | bc 2>/dev/null || echo '?') s"
exit $status
