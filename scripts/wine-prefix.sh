# Sourced by the scripts that run the DLL under Wine: the 64-bit Wine, its own prefix under build/ (made
# once; later runs reuse it), Wine's messages off, and no .NET or HTML engine installers asked for.
WINE=${WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
WINESERVER="$(dirname "$WINE")/wineserver"
export WINEPREFIX=$PWD/build/wine/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
    # The first boot goes on in the background (the registry, the desktop's programs); what follows starts
    # once it has finished, so the first run sees the same prefix as every later one.
    "$WINESERVER" -w
fi
