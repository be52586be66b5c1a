#!/usr/bin/env bash
# Hostile templates: each is refused, or counted, within 1 s and 64 MiB by a
# release ovantis-cli; prints each one's time and peak memory, and fails on
# one beyond either. Counting memory is held to 32 MiB, as a user may hold it;
# the default budget lets a template that needs more use more.
set -euo pipefail
cli=${1:-build-bench/cli/ovantis-cli}
[ -x "$cli" ] || { echo "no ovantis-cli at $cli" >&2; exit 1; }
cjk=$(python3 -c "print(''.join(map(chr, range(0x3000, 0xD7FF, 2)))[:21000], end='')")
templates=(
    "([$cjk]|){1000}"
    "([$cjk]|){4000}"
    "([$cjk]|){10000}"
    "(a|aa|aaa|aaaa){0,200}"
    "(a{1000}){1000}"
    "[ab]{0,20}a[ab]{20}"
    ".{99999}"
    "[A-Z]{65535}"
    "([a-z]{2}|[0-9]){0,16000}"
)
failed=0
measure() {  # label, then ovantis-cli pattern's arguments
    local label=$1 seconds kib verdict=ok
    shift
    read -r seconds kib < <(/usr/bin/time -f '%e %M' "$cli" pattern --info --max-memory 32 "$@" \
        2>&1 >/dev/null | tail -1)
    if awk -v s="$seconds" -v k="$kib" 'BEGIN{exit !(s > 1 || k > 65536)}'; then
        verdict=OVER
        failed=1
    fi
    printf '%-40s %6.2fs %7.1f MiB  %s\n' "${label:0:40}" "$seconds" \
        "$(awk -v k="$kib" 'BEGIN{print k/1024}')" "$verdict"
}
for t in "${templates[@]}"; do
    measure "$t" "$t"
done
# Classes written out against a --charset of many ranges.
measure "[^a]*16000 --charset (21000 ranges)" --charset "$cjk" "$(printf '[^a]%.0s' $(seq 16000))"
measure ".*60000 --charset (21000 ranges)" --charset "$cjk" "$(printf '.%.0s' $(seq 60000))"
exit $failed
