#!/bin/sh
# zktcli check-link against zktsim over JACK: the exit status and a part of the verdict.
#
#   check_link.sh ZKTCLI TO_SIMULATOR FROM_SIMULATOR EXPECTED_EXIT EXPECTED_TEXT
#
# A JACK server without real-time scheduling drops the MIDI of a cycle a client did not finish in
# time ("XRun" in its log), as a real interface drops what it cannot pass on. A check that differs
# from the expected one is tried again, at most three times in all, only when the server overran
# during it: an overrun is the machine's doing, not the loop's.
set -u
overruns() {
    if [ -n "${ZKT_JACK_LOG:-}" ] && [ -f "$ZKT_JACK_LOG" ]; then
        grep -c "XRun" "$ZKT_JACK_LOG"
    else
        echo 0
    fi
}
attempt=1
while :; do
    before=$(overruns)
    output=$("$1" check-link --api jack --out "$2" --in "$3" 2>&1)
    status=$?
    echo "$output"
    matches=no
    if [ "$status" -eq "$4" ]; then
        case "$output" in
        *"$5"*) matches=yes ;;
        esac
    fi
    [ "$matches" = yes ] && exit 0
    during=$(($(overruns) - before))
    if [ "$during" -eq 0 ] || [ "$attempt" -ge 3 ]; then
        break
    fi
    echo "the JACK server overran $during times during the check; trying again" >&2
    attempt=$((attempt + 1))
done
if [ "$status" -ne "$4" ]; then
    echo "check-link exited with $status, expected $4" >&2
else
    echo "the report does not say: $5" >&2
fi
exit 1
