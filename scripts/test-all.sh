#!/usr/bin/env bash
# `make test`: installs what is missing, then builds and tests stage by stage. Each stage prints one line
# with its result and time; its full output goes to build/logs/STAGE.log and is shown when it fails. A failed
# build skips the stages that need it; the other stages still run. Ends with a summary of every stage.
set -uo pipefail
cd "$(dirname "$0")/.."
mkdir -p build/logs
summary=build/logs/summary.txt
: >"$summary"
failed=0
start_all=$(date +%s)

# stage NAME COMMAND...: runs one stage; its status is left in $?.
stage() {
    local name=$1
    shift
    local log=build/logs/$name.log t0 t1 rc
    t0=$(date +%s.%N)
    "$@" >"$log" 2>&1
    rc=$?
    t1=$(date +%s.%N)
    local secs
    secs=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.0f", b - a }')
    local result=ok
    [ $rc -eq 0 ] || { result=FAILED; failed=1; }
    printf '%-14s %-7s %5s s\n' "$name" "$result" "$secs" | tee -a "$summary"
    if [ $rc -ne 0 ]; then
        echo "---- last lines of $log ----"
        tail -n 200 "$log"
        echo "----"
    fi
    return $rc
}

# ctest_lines LOG: ctest's closing lines, and the ten slowest tests of the run.
ctest_lines() {
    grep -E '^[0-9]+% tests passed|^Total Test time' "$1"
    echo "slowest tests:"
    sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) \.+ *[A-Za-z*]+ +([0-9.]+) sec.*/\2 \1/p' "$1" |
        sort -rn | head -n 10 | awk '{ printf "  %8.2f s  %s\n", $1, $2 }'
}

stage deps scripts/install-deps.sh test || { cat "$summary"; exit 1; }
# The cache is bounded (4 GB) and its counters start from zero, so the summary tells what this run reused.
ccache -M 4G >/dev/null 2>&1 || true
ccache -z >/dev/null 2>&1 || true

if stage native-build make -s native; then
    stage native-tests make -s check-native
    ctest_lines build/logs/native-tests.log
fi
if stage asan-build make -s asan; then
    stage asan-tests make -s check-asan
    ctest_lines build/logs/asan-tests.log
fi
stage fuzz make -s fuzz-short
if stage mingw-build make -s mingw; then
    stage wine-checks scripts/wine-check.sh build/mingw-x86_64
    grep -cE '^ok ' build/logs/wine-checks.log | sed 's/^/wine checks passed: /'
fi

echo
echo "== make test: summary =="
cat "$summary"
echo "total          $([ $failed -eq 0 ] && echo ok || echo FAILED)  $(($(date +%s) - start_all)) s"
command -v ccache >/dev/null && ccache -s 2>/dev/null | grep -iE '^ *(hits|misses|cache size)|Hits:|Misses:|Cache size' | head -n 4
exit $failed
