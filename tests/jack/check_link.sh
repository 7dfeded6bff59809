#!/bin/sh
# zktcli check-link against zktsim over JACK: the exit status and a part of the verdict.
#
#   check_link.sh ZKTCLI TO_SIMULATOR FROM_SIMULATOR EXPECTED_EXIT EXPECTED_TEXT
#
# A check that differs from the expected one is tried again when the JACK server overran.
set -u
# shellcheck source=tests/jack/overruns.sh
. "$(dirname "$0")/overruns.sh"
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
    worth_another_try "$attempt" "$before" || break
    attempt=$((attempt + 1))
done
if [ "$status" -ne "$4" ]; then
    echo "check-link exited with $status, expected $4" >&2
else
    echo "the report does not say: $5" >&2
fi
exit 1
