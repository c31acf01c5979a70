# bash completion for tarvenix-cli: its commands and options, the paths and serial numbers
# of the supported devices plugged in, and file names. The devices come from
# "tarvenix-cli list", which locks and opens no device.

# The devices present, as list prints them:
# "row 1  1abe:2202  page 0002 usage 0001  /dev/hidraw0  Tarvenix, Pressure Mouse, serial S1"
_tarvenix_cli_list()
{
    "$1" list 2>/dev/null
}

# Each line of standard input that starts with $1, quoted for the command line.
_tarvenix_cli_offer()
{
    local word
    COMPREPLY=()
    while IFS= read -r word; do
        [[ -n $word && $word == "$1"* ]] && COMPREPLY+=("$(printf '%q' "$word")")
    done
}

_tarvenix_cli_files()
{
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$1")
}

_tarvenix_cli()
{
    local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    case $prev in
    --device)
        _tarvenix_cli_offer "$cur" < <(_tarvenix_cli_list "$program" | awk '{ print $8 }')
        return ;;
    --serial)
        _tarvenix_cli_offer "$cur" < <(_tarvenix_cli_list "$program" | sed -n 's/.*, serial //p')
        return ;;
    --product)
        _tarvenix_cli_offer "$cur" < <(_tarvenix_cli_list "$program" | awk '{ print $3 }' | sort -u)
        return ;;
    --record)
        _tarvenix_cli_files "$cur"
        return ;;
    --limit)
        COMPREPLY=()
        return ;;
    esac
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "-h --help --version --device --serial --all
            --product --json -q --quiet --trace --force --verify --no-verify --no-backup -y
            --yes --limit --record --record-paths" -- "$cur")
        return
    fi
    # The command is the first word that is neither an option nor an option's value.
    local i command=
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --device | --serial | --product | --record | --limit) ((i++)) ;;
        -*) ;;
        *) command=${COMP_WORDS[i]} && break ;;
        esac
    done
    case $command in
    '')
        mapfile -t COMPREPLY < <(compgen -W "list version firmware data save verify backups
            history doctor" -- "$cur") ;;
    firmware | data | save | verify)
        _tarvenix_cli_files "$cur" ;;
    *)
        COMPREPLY=() ;;
    esac
}

complete -F _tarvenix_cli tarvenix-cli
