#!/bin/sh
# The compiler launcher of every build tree (set by the Makefile when ccache is installed), so that a tree
# built through make or through `cmake --build` uses the same cache: one for every clone on this machine,
# with paths under the checkout hashed relative to it, so a fresh clone in another folder reuses what an
# earlier clone of the same sources compiled.
top=$(cd "$(dirname "$0")/.." && pwd)
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/vireo-ccache}"
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-4G}"
export CCACHE_BASEDIR="$top"
export CCACHE_NOHASHDIR=true
export CCACHE_SLOPPINESS=include_file_mtime,include_file_ctime,file_macro,time_macros,pch_defines
exec ccache "$@"
