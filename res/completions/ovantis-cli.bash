# bash completion for ovantis-cli
_ovantis_cli() {
    local cur prev command
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    command=${COMP_WORDS[1]}
    local common="--seed --secure -o --output --crlf -h --help"
    case $prev in
        -o|--output)
            COMPREPLY=($(compgen -f -- "$cur"))
            return ;;
        --exec)
            COMPREPLY=($(compgen -c -- "$cur"))
            return ;;
        --seed)
            COMPREPLY=($(compgen -W "now" -- "$cur"))
            return ;;
    esac
    if [[ $COMP_CWORD -eq 1 ]]; then
        COMPREPLY=($(compgen -W "string number time --help --version" -- "$cur"))
        return
    fi
    case $command in
        string) COMPREPLY=($(compgen -W "-U --upper -L --lower -D --digits -S --symbols --charset --exclude -B --no-similar --each-class --unique --max-memory --head --tail --length --min-length --max-length -n --count $common" -- "$cur")) ;;
        number) COMPREPLY=($(compgen -W "--integer --decimal --unique --max-memory --range --low --high --places -n --count $common" -- "$cur")) ;;
        time) COMPREPLY=($(compgen -W "--exec --delay --min-delay --max-delay -n --count $common" -- "$cur")) ;;
    esac
}
complete -F _ovantis_cli ovantis-cli
