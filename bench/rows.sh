#!/usr/bin/env bash
# Rows against Faker and against ovantis-cli's own lines: a million rows of
# five columns (id, pattern, date, decimal, word) as CSV to /dev/null, best
# of three. Faker makes 20,000 rows, scaled to rows a second.
# Usage: bench/rows.sh OVANTIS_CLI
set -euo pipefail
cli=${1:-build-bench/cli/ovantis-cli}
runs=${RUNS:-3}
rows=1000000
[ -x "$cli" ] || { echo "no ovantis-cli at $cli" >&2; exit 1; }
schema='id row; code pattern "[A-Z]{3}-[0-9]{4}"; born date 1950-01-01..2005-12-31 --format %F; price number --decimal --range 0..1000 --places 2; word words 1'

best() {  # best wall-clock seconds of a command over $runs runs
    local best="" start end t
    for _ in $(seq "$runs"); do
        start=$(date +%s.%N)
        bash -c "$1 >/dev/null"
        end=$(date +%s.%N)
        t=$(awk -v a="$start" -v b="$end" 'BEGIN{printf "%.4f", b-a}')
        if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN{exit !(a<b)}'; then best=$t; fi
    done
    echo "$best"
}

ours="$cli rows '$schema' -n $rows"
bytes=$(bash -c "$ours" | wc -c)
# Lines of the same bytes: 40 characters and a line end, as many as rows.
length=$(( bytes / rows - 1 ))
lines="$cli string -ULD --length $length -n $rows"
rowsTime=$(best "$ours")
linesTime=$(best "$lines")
echo "cores: $(nproc)"
echo "ovantis-cli rows, $rows rows, $bytes bytes: ${rowsTime}s, $(awk -v t="$rowsTime" -v n=$rows 'BEGIN{printf "%.0f", n/t}') rows/s"
echo "ovantis-cli string --length $length, the same bytes: ${linesTime}s; rows take $(awk -v a="$rowsTime" -v b="$linesTime" 'BEGIN{printf "%.1f", a/b}')x its time (target: at most 2x)"
if /usr/bin/python3 -c 'import faker' 2>/dev/null; then
    faker=$(/usr/bin/python3 "$(dirname "$0")/rows-faker.py" 20000)
    echo "Faker (python3-fake-factory), 20000 rows: $faker rows/s; ovantis-cli makes $(awk -v t="$rowsTime" -v n=$rows -v f="$faker" 'BEGIN{printf "%.0f", n/t/f}')x as many (target: at least 100x)"
else
    echo "Faker: not installed (python3-fake-factory)"
fi
