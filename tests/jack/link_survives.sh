#!/bin/sh
# zktcli against chains that behave as real ones may, over JACK: a board that answers with the
# device byte 7F and repeats the request's address in every chunk must load; Ctrl-C ends a write
# after the manual it has begun; a chain that vanishes 4 s into a write must end the write within
# 10 s, without reporting it written.
#
#   link_survives.sh ZKTCLI ZKTSIM WORKDIR
set -eu
zktcli=$1
zktsim=$2
work=$3
mkdir -p "$work"
ports="--api jack --out survive-in --in survive-out --timeout 60"

# await_line FILE TEXT SECONDS: waits until FILE holds TEXT; after SECONDS shows FILE and fails.
await_line() {
    tries=$(($3 * 10))
    until grep -q "$2" "$1"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || { cat "$1" >&2; exit 1; }
        sleep 0.1
    done
}

start_sim() {
    # Emptied here, not by the background start, so that the last run's "ready" is never read.
    : >"$work/sim.log"
    "$zktsim" --api jack --manuals 3 --in survive-in --out survive-out "$@" >"$work/sim.log" 2>&1 &
    sim=$!
    await_line "$work/sim.log" "zktsim: ready" 10
}

# Until the traffic in the log (-v) shows the first program update to manual 1 sent; up to 30 s
# for a loaded machine.
await_manual_1() {
    await_line "$1" "Program update, manual 1" 30
}

start_sim --respond-as-all --repeat-request-address
# shellcheck disable=SC2086 # $ports is a list of options
"$zktcli" load $ports -o "$work/other-form.zkt"
kill "$sim"
wait "$sim" 2>/dev/null || true
[ "$(grep -c . "$work/other-form.zkt")" -eq 3 ] || { echo "the load did not bring 3 manuals" >&2; exit 1; }

# Ctrl-C during a write lets the manual begun finish, then stops with 130 (the plain write, so
# that it starts with manual 1 at once).
start_sim
# shellcheck disable=SC2086
"$zktcli" write -v "$work/other-form.zkt" $ports --all --no-backup --no-verify >"$work/interrupted.log" 2>&1 &
writer=$!
await_manual_1 "$work/interrupted.log"
kill -INT "$writer"
status=0
wait "$writer" || status=$?
kill "$sim"
wait "$sim" 2>/dev/null || true
cat "$work/interrupted.log"
[ "$status" -eq 130 ] || { echo "an interrupted write ended with $status, not 130" >&2; exit 1; }
grep -q "^Cancelled. Manual 1 was written" "$work/interrupted.log" || { echo "no account of what was written" >&2; exit 1; }

start_sim
# shellcheck disable=SC2086
"$zktcli" write -v "$work/other-form.zkt" $ports --all --no-backup --no-verify >"$work/write.log" 2>&1 &
writer=$!
await_manual_1 "$work/write.log"
started=$(date +%s)
kill "$sim"
status=0
wait "$writer" || status=$?
took=$(($(date +%s) - started))
cat "$work/write.log"
[ "$status" -eq 6 ] || { echo "the write ended with $status after its chain vanished, not 6" >&2; exit 1; }
[ "$took" -le 10 ] || { echo "the write took $took s to notice" >&2; exit 1; }
grep -q "is gone" "$work/write.log" || { echo "the write did not say the chain is gone" >&2; exit 1; }
if grep -q "data written" "$work/write.log"; then
    echo "the write was reported written" >&2
    exit 1
fi
echo "other answer forms load; a vanished chain ended the write after $took s"
