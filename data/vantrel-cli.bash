# bash completion for vantrel-cli: the program's options before the command, the commands, and each
# command's own options and words.
_vantrel_cli() {
    local cur prev
    cur="${COMP_WORDS[COMP_CWORD]}"
    prev="${COMP_WORDS[COMP_CWORD-1]}"
    local options="--config-dir --home-dir --set --save -4 -6 --format --rtf --pdf --help --version"
    local commands="options ping isp lookup trace monitor seqscan groups group listscan list winsock profiles profile watch export import"

    case "$prev" in
        --config-dir|--home-dir)
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return ;;
        --pdf)
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return ;;
        --format)
            mapfile -t COMPREPLY < <(compgen -W "text rtf csv json" -- "$cur")
            return ;;
        --set)
            return ;;
    esac

    # The command is the first word after the program's options that is not an option's value.
    local i word command=""
    for ((i = 1; i < COMP_CWORD; i++)); do
        word="${COMP_WORDS[i]}"
        case "$word" in
            --config-dir|--home-dir|--format|--pdf|--set) ((i++)) ;;
            -*) ;;
            *) command="$word"; break ;;
        esac
    done

    if [ -z "$command" ]; then
        if [[ "$cur" == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        else
            mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur")
        fi
        return
    fi

    local words=""
    case "$command" in
        ping) words="--cycles" ;;
        monitor) words="--cycles --report --stream" ;;
        isp) words="--count" ;;
        seqscan) words="--group" ;;
        group|list|profile) [ "$((COMP_CWORD - i))" -eq 1 ] && words="add del" ;;
        watch) if [ "$((COMP_CWORD - i))" -eq 1 ]; then words="list add del run"; else words="--name --interval --loss --rtt"; fi ;;
        export|import) mapfile -t COMPREPLY < <(compgen -f -- "$cur"); return ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
}
complete -F _vantrel_cli vantrel-cli
