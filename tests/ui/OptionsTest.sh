#!/bin/sh
# The window's options are judged before any display is needed, so this runs
# with none. Usage: OptionsTest.sh PATH-TO-ovantis
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
ovantis=$1
err=$(mktemp) && trap 'rm -f "$err"' EXIT
failed=0

# expect STATUS STDERR-START ARGUMENT... (standard output to /dev/null, or to
# /dev/full after a first argument "full")
expect() {
    status=$1 start=$2
    shift 2
    out=/dev/null
    [ "$1" = full ] && out=/dev/full && shift
    "$ovantis" "$@" >"$out" 2>"$err"
    got=$?
    case "$(head -n 1 "$err")" in
    "$start"*) [ "$got" = "$status" ] && return ;;
    esac
    echo "ovantis $*: status $got, wanted $status; stderr: $(cat "$err")"
    failed=1
}

expect 2 "ovantis: unknown option '--bogus'" --bogus
expect 2 "ovantis: unknown option '-x'" -style fusion -x
expect 2 "ovantis: unknown language 'xx' for --lang: use zh or en" --lang xx
expect 2 "ovantis: option '--lang' needs a value" --version --lang
expect 2 "ovantis: unexpected argument 'extra'" extra
expect 2 "ovantis: unexpected argument 'extra'" -- extra
expect 1 "ovantis: write error: No space left on device" full --version
expect 1 "ovantis: write error: No space left on device" full --help
expect 0 "" --lang=EN -platform offscreen --help
[ "$("$ovantis" --version)" = "ovantis $2" ] || { echo "--version: $("$ovantis" --version)"; failed=1; }
exit $failed
