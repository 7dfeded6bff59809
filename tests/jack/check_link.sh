#!/bin/sh
# zktcli check-link against zktsim over JACK: the exit status and a part of the verdict.
#
#   check_link.sh ZKTCLI TO_SIMULATOR FROM_SIMULATOR EXPECTED_EXIT EXPECTED_TEXT
set -u
output=$("$1" check-link --api jack --out "$2" --in "$3" 2>&1)
status=$?
echo "$output"
if [ "$status" -ne "$4" ]; then
    echo "check-link exited with $status, expected $4" >&2
    exit 1
fi
case "$output" in
*"$5"*) ;;
*)
    echo "the report does not say: $5" >&2
    exit 1
    ;;
esac
