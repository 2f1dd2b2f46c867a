#!/usr/bin/env bash
# Packs the distribution zip: the 32-bit and 64-bit DLLs with their registration-free manifests and the
# sample host, the documentation, the samples' sources and the licence.
# Usage: scripts/dist.sh [i686 build folder] [x86_64 build folder]; writes build/dist/VireoBR-<version>.zip
set -euo pipefail
cd "$(dirname "$0")/.."
X86=${1:-build/mingw-i686}
X64=${2:-build/mingw-x86_64}
# The version is the one number in CMakeLists.txt.
version=$(sed -n 's/^project(VireoBR VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }
name=VireoBR-$version
stage=build/dist/$name
rm -rf "$stage" "build/dist/$name.zip"
mkdir -p "$stage/x86" "$stage/x64" "$stage/docs" "$stage/samples/cpp" "$stage/samples/vbscript"
for pair in "x86:$X86" "x64:$X64"; do
    arch=${pair%%:*} build=${pair#*:}
    cp "$build/VireoBR.dll" "$build/VireoBR.manifest" "$build/vireo-sample.exe" \
        "$build/vireo-sample.exe.manifest" "$stage/$arch/"
done
cp docs/reference.md docs/windows.md docs/screenshot.png "$stage/docs/"
cp samples/cpp/VireoSample.cpp "$stage/samples/cpp/"
cp samples/vbscript/*.vbs "$stage/samples/vbscript/"
cp LICENSE README.md "$stage/"
# Fixed times and no extra attributes: the same sources give the same zip.
find "$stage" -exec touch -d "@$(git log -1 --format=%ct 2>/dev/null || echo 0)" {} +
(cd build/dist && zip -q -X -r "$name.zip" "$name")
echo "build/dist/$name.zip"
(cd build/dist && zip -sf "$name.zip" | sed -n 's/^  /  /p')
