# shellcheck shell=sh
# Sourced by the shell tests: counts and prints the outcome of each check, and the closing line
# "N passed, N failed" that CI reads.

failures=0
passes=0

# check ok|fail <description>
check() {
    if [ "$1" = ok ]; then
        passes=$((passes + 1))
        printf 'ok: %s\n' "$2"
    else
        failures=$((failures + 1))
        printf 'FAIL: %s\n' "$2"
    fi
}

# expect <description> <command...>: passes when the command succeeds.
expect() {
    description=$1
    shift
    if "$@"; then check ok "$description"; else check fail "$description"; fi
}

# Prints the closing line; its status is that of the whole test.
summary() {
    echo "$passes passed, $failures failed"
    [ "$failures" -eq 0 ]
}
