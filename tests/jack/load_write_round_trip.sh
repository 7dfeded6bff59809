#!/bin/sh
# zktcli against zktsim over JACK: load the three manuals, write a changed configuration (the
# first and third manuals swapped), load again and compare field by field.
#
#   load_write_round_trip.sh ZKTCLI WORKDIR TO_SIMULATOR FROM_SIMULATOR
set -eu
zktcli=$1
work=$2
ports="--api jack --out $3 --in $4 --timeout 60"
mkdir -p "$work"
rm -f "$work"/*.zkt

# shellcheck disable=SC2086 # $ports is a list of options
"$zktcli" load $ports -o "$work/first.zkt"
[ "$(grep -c . "$work/first.zkt")" -eq 3 ] || { echo "expected 3 manuals in $work/first.zkt" >&2; exit 1; }

awk '{ line[NR] = $0 } END { t = line[1]; line[1] = line[3]; line[3] = t; for (i = 1; i <= NR; i++) print line[i] }' \
    "$work/first.zkt" >"$work/changed.zkt"
if "$zktcli" diff "$work/first.zkt" "$work/changed.zkt" >/dev/null; then
    echo "swapping manuals 1 and 3 changed nothing; the test would prove nothing" >&2
    exit 1
fi

# shellcheck disable=SC2086
"$zktcli" write "$work/changed.zkt" $ports
# shellcheck disable=SC2086
"$zktcli" load $ports -o "$work/second.zkt"
"$zktcli" diff "$work/changed.zkt" "$work/second.zkt"
echo "written configuration read back unchanged"
