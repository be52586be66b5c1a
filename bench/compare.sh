#!/usr/bin/env bash
# Times ovantis-cli against the usual tools, whole commands writing to
# /dev/null, in one run on this machine; best of three each.
set -euo pipefail
cli=${1:-build-bench/cli/ovantis-cli}
runs=${RUNS:-3}
[ -x "$cli" ] || { echo "no ovantis-cli at $cli" >&2; exit 1; }

best() {  # best wall-clock seconds of a command over $runs runs
    local best=""
    for _ in $(seq "$runs"); do
        local t
        local start end
        start=$(date +%s.%N)
        bash -c "$1 >/dev/null"
        end=$(date +%s.%N)
        t=$(awk -v a="$start" -v b="$end" 'BEGIN{printf "%.4f", b-a}')
        if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN{exit !(a<b)}'; then best=$t; fi
    done
    echo "$best"
}

compare() {  # label, ours, theirs
    local ours theirs
    ours=$(best "$2")
    theirs=$(best "$3")
    printf '%-44s ovantis %7.3fs  peer %7.3fs  peer/ovantis %7.1fx\n' "$1" "$ours" "$theirs" \
        "$(awk -v a="$theirs" -v b="$ours" 'BEGIN{print (b>0)?a/b:0}')"
}

peak() {  # peak resident memory in MiB
    /usr/bin/time -v bash -c "exec $1 >/dev/null" 2>&1 | awk '/Maximum resident/{printf "%.1f", $6/1024}'
}

echo "ovantis-cli: $cli"
compare "integers 80..100, 10M  vs shuf -r" \
    "$cli number --integer --low 80 --high 100 -n 10000000" \
    "shuf -i 80-100 -r -n 10000000"
compare "strings 8 chars ULD, 1M  vs pwgen -s" \
    "$cli string -n 1000000 --min-length 8 --max-length 8 -U -L -D" \
    "pwgen -s -1 8 1000000"
compare "strings --seed 1 (classic), 1M  vs pwgen -s" \
    "$cli string --seed 1 -n 1000000 --min-length 8 --max-length 8 -U -L -D" \
    "pwgen -s -1 8 1000000"
compare "integers 10M  vs decimals 10M" \
    "$cli number --integer -n 10000000" \
    "$cli number --decimal -n 10000000"
compare "the same, classic source (--seed 1)" \
    "$cli number --integer -n 10000000 --seed 1" \
    "$cli number --decimal -n 10000000 --seed 1"
printf 'peak memory, 10M number lines: %s MiB\n' "$(peak "$cli number -n 10000000")"
printf 'peak memory, 10M string lines: %s MiB\n' "$(peak "$cli string -n 10000000")"
printf 'peak memory, 2 lines of 50M chars: %s MiB\n' \
    "$(peak "$cli string -n 2 --min-length 50000000 --max-length 50000000")"
