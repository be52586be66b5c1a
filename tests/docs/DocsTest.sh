#!/bin/sh
# Holds the made manual pages and shell completions to the programs' --help:
#   DocsTest.sh man|bash|zsh|fish OVANTIS_CLI FOLDER [OVANTIS]
# Exits 77, skipped, when the tool it needs is not installed.
set -u
what=$1 cli=$2 folder=$3 window=${4:-}
commands="string number time pattern"
scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$scratch"' EXIT

skip() {
    echo "skipped: $1 is not installed"
    exit 77
}

# The option names of a help, one a line: the words before its description.
helpOptions() {
    awk '/^  -/ { sub(/^  /, ""); split($0, part, /  +/); n = split(part[1], name, /[ ,]+/)
                  for (i = 1; i <= n; i++) if (name[i] ~ /^-/) print name[i] }'
}

# Failures are marked in a file, as checks at the end of a pipe run in a subshell.
fail() {
    printf '%s\n' "$@"
    touch "$scratch/failed"
}

# Fails naming each line of stdin missing from the lines of $2.
expectAll() {
    printf '%s\n' "$2" >"$scratch/offered"
    missing=$(grep -vxF -f "$scratch/offered")
    [ -z "$missing" ] || fail "$1 lacks: $(echo $missing)"
}

expectSame() {
    [ "$2" = "$3" ] || fail "$1: expected" "$2" "got" "$3"
}

# Files and folders whose names hold spaces, for the completions to offer.
mkdir "$scratch/files" "$scratch/files/sub dir" && touch "$scratch/files/a file.txt"

case $what in
man)
    command -v man >/dev/null || skip man
    # The option names of a rendered section: each item's first words.
    names() {
        awk -v h="$1" '/^[^ ]/ || /^   [^ ]/ { on = ($0 == h || $0 == "   " h) } on' |
            awk '/^       -/ { n = split($0, w, /[ ,]+/); for (i = 1; i <= n; i++) if (w[i] ~ /^-/) print w[i] }'
    }
    for page in "$folder"/*.1; do
        warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
        expectSame "roff warnings of $page" "" "$warnings"
    done
    # A help ending in a long run of symbols is set ragged, not stretched.
    symbols=$(MANWIDTH=80 man -l "$folder/ovantis-cli.1" | grep -A1 -e '-S, --symbols' | tail -n 1)
    case $symbols in *[!\ ]'  '*) fail "-S's help is justified: $symbols" ;; esac
    page=$(MANWIDTH=200 man -l "$folder/ovantis-cli.1")
    every=$(printf '%s\n' "$page" | names "Every command")
    "$cli" --help | helpOptions |
        expectAll "ovantis-cli(1)" "$(printf '%s\n' "$page" | names OPTIONS)
$every"
    for command in $commands; do
        "$cli" "$command" --help | helpOptions |
            expectAll "ovantis-cli(1) $command" "$(printf '%s\n' "$page" | names "$command")
$every"
    done
    if [ -n "$window" ]; then
        "$window" --help | helpOptions |
            expectAll "ovantis(1)" "$(MANWIDTH=200 man -l "$folder/ovantis.1" | names OPTIONS)"
    fi
    ;;
bash)
    command -v bash >/dev/null || skip bash
    # What the completion offers for the words given, the last being completed.
    offered() {
        (cd "$scratch/files" && bash -c '. "$0"; COMP_WORDS=(ovantis-cli "$@"); COMP_CWORD=$#
            _ovantis_cli; printf "%s\n" "${COMPREPLY[@]}"' "$folder/ovantis-cli.bash" "$@") | sort
    }
    { "$cli" --help | helpOptions; printf '%s\n' $commands; } | expectAll "bash" "$(offered "")"
    for command in $commands; do
        "$cli" "$command" --help | helpOptions | expectAll "bash $command" "$(offered "$command" "")"
    done
    both="a file.txt
sub dir/"
    expectSame "bash -o" "$both" "$(offered string -o "")"
    expectSame "bash --output = (split at =)" "$both" "$(offered number --output = "")"
    expectSame "bash --output=a" "--output=a file.txt" "$(offered time --output=a)"
    expectSame "bash -o a\\ f (escaped)" "a file.txt" "$(offered string -o 'a\ f')"
    expectSame "bash after --" "$both" "$(offered time --exec echo -- "")"
    expectSame "bash --head (free text)" "" "$(offered string --head "")"
    expectSame "bash --exec" "sh" "$(offered time --exec sh | grep -x sh)"
    expectSame "bash --seed" "now" "$(offered number --seed "")"
    ;;
zsh)
    command -v zsh >/dev/null || skip zsh
    # An option's argument to _arguments: its name, = or + where a value follows, a [help] whose
    # brackets and backslashes are escaped, and :message:action for the value.
    help='(\[([^]\\]|\\.)*\])?'
    export shape="^-[^]=+:[]+([=+]$help:[^:]*:.*|$help)\$"
    # Runs the completion with _arguments and _describe standing in for
    # zsh's, printing the option names and commands they would offer, the
    # words listed for a value, and any such argument zsh would misread (a
    # command with arguments gets zsh's options first unless led by a space).
    offered() {
        zsh -f -c '
            _arguments() {
                if [[ $1 == -C ]]; then
                    state=${${words[1]:+argument}:-command}
                    [[ $state == argument ]] && return 1
                fi
                local option
                for option; do
                    option=${option#\(*\)}
                    [[ $option == -* ]] || continue
                    [[ $option =~ $shape ]] || print -r -- "misread: $option"
                    if [[ $option == *\]:*:* ]]; then
                        [[ ${option##*:} == [^\ \(]*\ * ]] && print -r -- "misread: $option"
                        [[ ${option##*:} == \(*\) ]] && print -r -- "words ${option##*:}"
                    fi
                    print -r -- ${option%%[\[=+]*}
                done
                return 0
            }
            _describe() { local c; for c in ${(P)4}; do print -r -- ${c%%:*}; done }
            words=($1 "")
            source $0' "$folder/_ovantis-cli" "$@"
    }
    zsh -n "$folder/_ovantis-cli" || fail "zsh cannot read the completion"
    { "$cli" --help | helpOptions; printf '%s\n' $commands; } | expectAll "zsh" "$(offered "")"
    for command in $commands; do
        "$cli" "$command" --help | helpOptions | expectAll "zsh $command" "$(offered "$command")"
        offered "$command" | grep misread && fail "zsh $command: specs zsh would misread"
    done
    expectSame "zsh --seed" "words (now)" "$(offered number | grep '^words')"
    ;;
fish)
    command -v fish >/dev/null || skip fish
    offered() {
        (cd "$scratch/files" && fish -c 'source $argv[1]; complete -C $argv[2]' \
            "$folder/ovantis-cli.fish" "ovantis-cli $1") | cut -f1
    }
    { "$cli" --help | helpOptions; printf '%s\n' $commands; } |
        expectAll "fish" "$(offered ""; offered -)"
    for command in $commands; do
        "$cli" "$command" --help | helpOptions | expectAll "fish $command" "$(offered "$command -")"
    done
    expectSame "fish --seed" "now" "$(offered "number --seed ")"
    expectSame "fish -o" "a file.txt
sub dir/" "$(offered "string -o " | sort)"
    ;;
*)
    echo "unknown check: $what"
    exit 2
    ;;
esac
! [ -e "$scratch/failed" ]
