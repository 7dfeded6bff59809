#!/bin/sh
# zktcli check-console against a console that zktsim --play plays over JACK: the script starts
# once the check listens, and the check must end with the exit status and name every fault given.
#
#   check_console.sh ZKTCLI ZKTSIM CONFIGURATION SCRIPT WORKDIR EXPECTED_EXIT [--keys LIST] [-- LINE...]
# Each LINE must be a line of the report; with none, the report must hold no fault. A run that
# differs is played again when the JACK server overran during it.
set -eu
# shellcheck source=tests/jack/overruns.sh
. "$(dirname "$0")/overruns.sh"
zktcli=$1
zktsim=$2
configuration=$3
script=$4
work=$5
expected=$6
shift 6
keys=""
if [ "${1:-}" = "--keys" ]; then
    keys="--keys $2"
    shift 2
fi
[ "${1:-}" = "--" ] && shift
mkdir -p "$work"
name=$(basename "$script" .play)

# await_line FILE TEXT SECONDS: waits until FILE holds TEXT; after SECONDS shows FILE and fails.
await_line() {
    tries=$(($3 * 10))
    until grep -q "$2" "$1"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || { cat "$1" >&2; exit 1; }
        sleep 0.1
    done
}

# play_once: zktsim plays the script into a check that listens; the check's output is kept in $work.
play_once() {
    : >"$work/$name.sim.log"
    "$zktsim" --api jack --from "$configuration" --in "check-in-$name" --out "check-out-$name" \
        --play "$script" --start-on-signal >"$work/$name.sim.log" 2>&1 &
    sim=$!
    await_line "$work/$name.sim.log" "zktsim: ready" 10

    : >"$work/$name.err"
    # shellcheck disable=SC2086 # $keys is an option and its value
    "$zktcli" check-console "$configuration" --api jack --in "check-out-$name" --for 12 $keys \
        --report "$work/$name.html" >"$work/$name.out" 2>"$work/$name.err" &
    checker=$!
    await_line "$work/$name.err" "Play every key" 20
    kill -USR1 "$sim"
    status=0
    wait "$checker" || status=$?
    kill "$sim" 2>/dev/null || true
    wait "$sim" 2>/dev/null || true
    cat "$work/$name.out"
    echo "--- stderr:"
    cat "$work/$name.err"
    echo "--- zktsim:"
    cat "$work/$name.sim.log"
}

# judged LINE...: true when the run just played ended as expected, else says why on stderr.
judged() {
    [ "$status" -eq "$expected" ] || { echo "check-console exited with $status, expected $expected" >&2; return 1; }
    grep -q "zktsim: script played" "$work/$name.sim.log" || { echo "the script was not played to its end" >&2; return 1; }
    if [ $# -eq 0 ] && grep -q "^Faults" "$work/$name.out"; then
        echo "a clean console was reported with faults" >&2
        return 1
    fi
    for line in "$@"; do
        grep -qxF "$line" "$work/$name.out" || { echo "the report does not say: $line" >&2; return 1; }
    done
    grep -q "<h1>Console check</h1>" "$work/$name.html" || { echo "no HTML report" >&2; return 1; }
}

sim=""
trap '[ -z "$sim" ] || kill "$sim" 2>/dev/null || true' EXIT
attempt=1
while :; do
    before=$(overruns)
    play_once
    if judged "$@"; then
        echo "check-console exited with $status and said all it should"
        exit 0
    fi
    worth_another_try "$attempt" "$before" || exit 1
    attempt=$((attempt + 1))
done
