#!/usr/bin/env bash
# Runs every fuzz target of a built fuzz tree for the given seconds each, from its seed corpus in fuzz/corpus
# (copied, so the tree's seeds stay as committed); what a target finds is kept under <tree>/findings.
# Usage: scripts/fuzz.sh <folder of the fuzz_* programs, e.g. build/sanitize/fuzz> <seconds>
set -uo pipefail
tree=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for program in "$tree"/fuzz_*; do
    [ -x "$program" ] || continue
    name=${program##*/fuzz_}
    work="$tree/corpus/$name"
    findings="$tree/findings/$name"
    mkdir -p "$work" "$findings"
    cp -n "$root/fuzz/corpus/$name"/* "$work"/ 2>/dev/null
    log="$tree/logs/$name.log"
    mkdir -p "$tree/logs"
    # One process, no forking; a leak found at the end of a run counts as a finding.
    if "$program" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/" \
        -timeout=20 -rss_limit_mb=2048 "$work" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
        echo "fuzz $name: ${runs:-?} runs in ${seconds}s, nothing found"
    else
        echo "fuzz $name: FOUND something, see $log and $findings"
        tail -40 "$log"
        status=1
    fi
done
exit $status
