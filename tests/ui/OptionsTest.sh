#!/bin/sh
# The window's options are judged before any display is needed, so this runs
# with none. Usage: OptionsTest.sh PATH-TO-ovantis
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM LANGUAGE LC_MESSAGES LANG
export LC_ALL=en_US.UTF-8
ovantis=$1 version=$2
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
# Qt reads its options' values only apart, and aborts on what it ignored.
expect 2 "ovantis: option '-platform=offscreen' takes its value as the next argument: -platform offscreen" -platform=offscreen
expect 2 "ovantis: unknown option '--x\x1b[2J'" "--x$(printf '\033')[2J"
expect 1 "ovantis: write error: No space left on device" full --version
expect 1 "ovantis: write error: No space left on device" full --help
export LC_ALL=zh_CN.UTF-8
expect 1 "ovantis: 写入出错：设备上没有空间" full --version
export LC_ALL=en_US.UTF-8
expect 0 "" --lang=EN -platform offscreen --help
# The window's language: Chinese under Chinese, C and POSIX locales.
for row in "zh_CN.UTF-8 用法： --help" "C 用法： --help" "POSIX 用法： -h" \
    "en_GB.UTF-8 Usage: --help" "zh_CN.UTF-8 Usage: --lang en --help" \
    "zh_CN.UTF-8 ovantis:?未知选项 --bogus"; do
    set -- $row
    locale=$1 start=$2
    shift 2
    first=$(LC_ALL=$locale "$ovantis" "$@" 2>&1 | head -n 1)
    case "$first" in
    $start*) ;;
    *) echo "LC_ALL=$locale ovantis $*: $first" && failed=1 ;;
    esac
done
[ "$("$ovantis" --version)" = "ovantis $version" ] || { echo "--version: $("$ovantis" --version)"; failed=1; }
exit $failed
