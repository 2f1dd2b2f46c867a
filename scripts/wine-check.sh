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
cp "$BUILD/vireo-sample.exe" samples/vbscript/VireoSample.vbs "$dir/"

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
# Every line of a program's output that a check wants, one "ok" or "FAIL" each.
want_lines() {
    local label=$1 output=$2
    shift 2
    for want in "$@"; do
        if grep -qF -- "$want" <<<"$output"; then echo "ok   $label: $want"; else
            echo "FAIL $label: $want"
            status=1
        fi
    done
}
# The C++ sample host (samples/cpp) against the registered DLL.
sample_out=$(run 'C:\vireo\vireo-sample.exe' | tr -d '\r' || true)
want_lines sample "$sample_out" 'created VireoBR.VireoBrowser by ProgID' 'in place: 0x00000000' \
    'events connected: yes' 'Activate: 0x00000000' 'Style: 1' ', size 12' 'event OpenArchive("C:\backup.zip")' \
    'event OpenFTP("ftp://ftp.example.org/")' 'NavigateTV: 0, bSuccess True' 'NoSuchMember: 0x80020006' \
    'Style = text: 0x80020005' 'event NotifySelection(0, "")' 'done'
# The VBScript sample under Wine's script host.
vbs_out=$(run cscript //nologo 'C:\vireo\VireoSample.vbs' | tr -d '\r' || true)
want_lines vbscript "$vbs_out" 'created VireoBR.VireoBrowser' 'Style: 1' 'ForeColor: FF0000' 'Font.Name: ' 'Font.Size: 12' \
    'NavigateTV: 0, bSuccess True' 'Style = Null: error 13' 'SwitchView "details": error 13' \
    'NoSuchMember: error 438' 'done'
if grep -qF 'events connected' <<<"$vbs_out"; then
    want_lines vbscript "$vbs_out" 'event OpenArchive C:\backup.zip' 'event OpenFTP ftp://ftp.example.org/'
else
    echo "note vbscript: $(grep -F 'events not connected' <<<"$vbs_out" || echo 'no events line')"
fi
run regsvr32 /s /u 'C:\vireo\VireoBR.dll' && echo "ok   regsvr32 /u" || { echo "FAIL regsvr32 /u"; status=1; }
run regsvr32 /s /u 'C:\vireo\VireoBR.dll' && echo "ok   regsvr32 /u when not registered" ||
    { echo "FAIL regsvr32 /u when not registered"; status=1; }

# Per-user registration: regsvr32 /n /i:user writes only under HKEY_CURRENT_USER\Software\Classes, and
# /u removes exactly that (the registry exported before and after is the same).
clsid='{AAB90922-E7C4-476C-9E8A-147DA0437718}'
# Into $1 as UTF-8 text (regedit writes UTF-16): the user's keys and the machine's classes, without the
# keys Wine itself rewrites while programs run (its temporary copy of the desktop's settings).
export_registry() {
    run regedit /e 'C:\vireo\user.reg' 'HKEY_CURRENT_USER' && run regedit /e 'C:\vireo\classes.reg' \
        'HKEY_LOCAL_MACHINE\Software\Classes' && cat "$dir/user.reg" "$dir/classes.reg" |
        iconv -f UTF-16LE -t UTF-8 | tr -d '\r' |
        awk '/^\[/ { skip = index($0, "[HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters") == 1 }
             !skip' >"$1"
}
# A run stopped half-way may have left its registration behind: it goes first. Windows always has the
# user's classes key; a new Wine prefix makes it only when something writes below it, so it is made here.
run regsvr32 /s /u /n /i:user 'C:\vireo\VireoBR.dll' || true
run reg add 'HKCU\Software\Classes' /f >/dev/null || true
export_registry build/wine/registry-before.reg
run regsvr32 /s /n /i:user 'C:\vireo\VireoBR.dll' && echo "ok   regsvr32 /n /i:user" ||
    { echo "FAIL regsvr32 /n /i:user"; status=1; }
if run reg query "HKCU\Software\Classes\CLSID\\$clsid\InprocServer32" >/dev/null; then
    echo "ok   per-user: the class is under HKEY_CURRENT_USER\Software\Classes"
else
    echo "FAIL per-user: no class under HKEY_CURRENT_USER\Software\Classes"
    status=1
fi
if run reg query "HKLM\Software\Classes\CLSID\\$clsid" >/dev/null; then
    echo "FAIL per-user: the class is also under HKEY_LOCAL_MACHINE"
    status=1
else echo "ok   per-user: nothing under HKEY_LOCAL_MACHINE"; fi
user_out=$(run 'C:\vireo\vireo-sample.exe' | tr -d '\r' || true)
if grep -qF 'created VireoBR.VireoBrowser by ProgID' <<<"$user_out"; then
    echo "ok   per-user: the sample creates the control"
else echo "note per-user: $(head -n 1 <<<"$user_out") (Wine's classes root does not show the user's classes)"; fi
run regsvr32 /s /u /n /i:user 'C:\vireo\VireoBR.dll' && echo "ok   regsvr32 /u /n /i:user" ||
    { echo "FAIL regsvr32 /u /n /i:user"; status=1; }
export_registry build/wine/registry-after.reg
if diff -q build/wine/registry-before.reg build/wine/registry-after.reg >/dev/null; then
    echo "ok   per-user: /u removed exactly what /i:user wrote"
else
    echo "FAIL per-user: the registry differs after /u: $(diff build/wine/registry-before.reg \
        build/wine/registry-after.reg | grep '^[<>]' | head -n 3 | tr '\n' ' ')"
    status=1
fi

# Registration-free: with nothing registered, the sample carrying its manifest creates the control from
# the DLL beside it (VireoBR.manifest names the class, its ProgIDs and the type library).
free="$WINEPREFIX/drive_c/vireo-free"
rm -rf "$free" && mkdir -p "$free"
cp "$BUILD/VireoBR.dll" "$BUILD/VireoBR.manifest" "$BUILD/vireo-sample.exe" "$BUILD/vireo-sample.exe.manifest" "$free/"
for how in ProgID CLSID; do
    arg=$([ $how = CLSID ] && echo --clsid || true)
    free_out=$(run 'C:\vireo-free\vireo-sample.exe' $arg | tr -d '\r' || true)
    want_lines "registration-free by $how" "$free_out" "created VireoBR.VireoBrowser by $how" \
        'event OpenArchive("C:\backup.zip")' 'done'
done
"$WINESERVER" -w 2>/dev/null || true
echo "wine checks took $(echo "$(date +%s.%N) - $start" | bc 2>/dev/null || echo '?') s"
exit $status
