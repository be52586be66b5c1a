#!/bin/sh
# Seeded runs replay the recorded output byte for byte, however the lines are
# made. Usage: ClassicGoldenTest.sh GOLDEN_FILE OVANTIS_CLI
status=0
tab=$(printf '\t')
while IFS="$tab" read -r hash first args; do
    case "$hash" in '#'*|'') continue ;; esac
    # shellcheck disable=SC2086 # the arguments are split as recorded
    got=$("$2" $args | sha256sum | cut -c1-16)
    line=$("$2" $args | head -n 1 | tr -d '\r' | cut -c1-40)
    if [ "$got" != "$hash" ] || [ "$line" != "$first" ]; then
        echo "ovantis-cli $args: output changed (first line '$line', hash $got)"
        status=1
    fi
done < "$1"
exit $status
