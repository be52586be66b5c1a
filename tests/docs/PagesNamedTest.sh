#!/bin/sh
# The desktop entry, the AppStream metadata and the window's help name the
# pages in the words of ovantis-cli's help, after its last colon, in both
# languages: PagesNamedTest.sh OVANTIS_CLI DESKTOP METAINFO [OVANTIS]
set -u
cli=$1 desktop=$2 metainfo=$3 window=${4:-}
failed=0

# Fails unless the text $2 holds the words $3.
expect() {
    case $2 in
    *"$3"*) ;;
    *) echo "$1 does not read: $3"; failed=1 ;;
    esac
}

en=$(LC_ALL=C.UTF-8 "$cli" --help | head -n 1 | sed 's/.*: //; s/\.$//')
zh=$(LC_ALL=zh_CN.UTF-8 "$cli" --help | head -n 1 | sed 's/.*：//; s/。$//')
expect "ovantis-cli --help" "$en" "pattern"
expect "ovantis-cli --help in Chinese" "$zh" "模式"
expect "$desktop: Comment" "$(grep '^Comment=' "$desktop")" "$en"
expect "$desktop: Comment[zh_CN]" "$(grep '^Comment\[zh_CN\]=' "$desktop")" "$zh"
expect "$metainfo: summary" "$(grep '<summary>' "$metainfo")" "$en"
expect "$metainfo: Chinese summary" "$(grep '<summary xml:lang="zh-CN">' "$metainfo")" "$zh"
expect "$metainfo: description" "$(cat "$metainfo")" "Pattern page"
if [ -n "$window" ]; then
    expect "ovantis --help" "$("$window" --lang en --help)" "$en"
    expect "ovantis --help in Chinese" "$("$window" --lang zh --help)" "$zh"
fi
exit $failed
