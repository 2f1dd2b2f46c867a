#!/usr/bin/env bash
# Installs the Debian packages a build needs, only when some are missing.
# Usage: scripts/install-deps.sh native|all|wine|test|screenshot|dist
# all: native and the MinGW tool chain; wine: what the Wine check of the Windows DLL needs, besides the
# MinGW tool chain; test: everything `make test` runs; screenshot: Wine and ImageMagick, which turns the
# saved bitmap into a PNG; dist: zip, which packs the distribution.
set -euo pipefail
want=(cmake ninja-build g++ make ccache libgtest-dev libgmock-dev nlohmann-json3-dev libcli11-dev)
mingw=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools)
case "${1:-all}" in
all) want+=("${mingw[@]}") ;;
test) want+=("${mingw[@]}" wine64 xvfb xauth) ;;
wine) want=(wine64 xvfb xauth) ;;
screenshot) want=(wine64 xvfb xauth imagemagick) ;;
dist) want=(zip) ;;
esac
missing=()
for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
# Quiet: no progress bars, and dpkg's own lines only when something fails.
log=$(mktemp)
if ! { $SUDO apt-get update -qq && $SUDO apt-get install -y -qq -o Dpkg::Use-Pty=0 --no-install-recommends \
    "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    exit 1
fi
rm -f "$log"
