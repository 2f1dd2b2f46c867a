#!/usr/bin/env bash
# Installs the Debian packages a build needs, only when some are missing.
# Usage: scripts/install-deps.sh native|all|wine|screenshot
# wine: what the Wine check of the Windows DLL needs, besides the MinGW tool chain; screenshot: that and
# ImageMagick, which turns the saved bitmap into a PNG.
set -euo pipefail
want=(cmake ninja-build g++ make libgtest-dev libgmock-dev nlohmann-json3-dev libcli11-dev)
case "${1:-all}" in
all) want+=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools) ;;
wine) want=(wine64 xvfb xauth) ;;
screenshot) want=(wine64 xvfb xauth imagemagick) ;;
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
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
