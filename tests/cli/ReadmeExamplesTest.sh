#!/bin/sh
# Runs every "$ ovantis-cli ..." line of the README's console blocks and holds
# its output to what the README shows: seeded runs exactly; unseeded ones by
# shape (per line its length and character classes, distinct under --unique);
# time runs by the date-time pattern; the error example by its exit status and
# an option of its line or of the message shown.
# Usage: ReadmeExamplesTest.sh README ovantis-cli
readme=$1
dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT
mkdir "$dir/bin"
ln -s "$(realpath "$2")" "$dir/bin/ovantis-cli"
printf '#!/bin/sh\n' >"$dir/bin/notify-send" && chmod +x "$dir/bin/notify-send"
PATH=$dir/bin:$PATH
failed=0

# Each example's command in N.cmd, the output shown under it in N.out.
awk -v dir="$dir" '
    /^```console$/ { inside = 1; next }
    /^```/ { inside = 0 }
    inside && /^\$ / { n++; print substr($0, 3) > (dir "/" n ".cmd"); printf "" > (dir "/" n ".out"); next }
    inside && n { print > (dir "/" n ".out") }
' "$readme"

# A line's shape: its length, then which of upper, lower, digit and other it holds.
shape() {
    awk '{ printf "%d%s%s%s%s\n", length($0), /[A-Z]/ ? "A" : "", /[a-z]/ ? "a" : "",
           /[0-9]/ ? "9" : "", /[^A-Za-z0-9]/ ? "!" : "" }' "$1"
}

count=0
for cmd in "$dir"/*.cmd; do
    count=$((count + 1))
    shown=${cmd%.cmd}.out got=${cmd%.cmd}.got
    line=$(cat "$cmd")
    sh -c "$line" >"$got" 2>&1
    status=$?
    case $line in
    *'echo "exit $?"'*)
        options=$(cat "$cmd" "$shown" | grep -o -- '--[a-z-]*' | sort -u)
        named=$(grep -o -- '--[a-z-]*' "$got" | sort -u)
        [ "$(tail -n 1 "$got")" = "$(tail -n 1 "$shown")" ] &&
            head -n 1 "$got" | grep -q '^ovantis-cli: ' &&
            [ -n "$(printf '%s\n' "$options" "$named" | sort | uniq -d)" ] ;;
    *' --seed '[0-9]*)
        [ $status = 0 ] && cmp -s "$got" "$shown" ;;
    'ovantis-cli time '*)
        pattern='^[0-9]{4}-[0-9]{2}-[0-9]{2}   [0-9]{2}:[0-9]{2}:[0-9]{2}$'
        [ $status = 0 ] && [ "$(wc -l <"$got")" = "$(wc -l <"$shown")" ] &&
            [ "$(grep -Ecv "$pattern" "$got")" = 0 ] ;;
    *)
        case $line in *--unique*) [ -z "$(sort "$got" | uniq -d)" ] || status=1 ;; esac
        [ $status = 0 ] && [ "$(shape "$got")" = "$(shape "$shown")" ] ;;
    esac || {
        echo "README example failed: \$ $line"
        echo "--- shown:" && cat "$shown" && echo "--- got (status $status):" && cat "$got"
        failed=1
    }
done
[ $count -ge 5 ] || { echo "only $count examples found in $readme"; failed=1; }
exit $failed
