#!/bin/sh
# zktcli against zktsim over JACK: load the three manuals, write a changed configuration (the
# first and third manuals swapped), load again and compare field by field.
#
#   load_write_round_trip.sh ZKTCLI WORKDIR TO_SIMULATOR FROM_SIMULATOR
#
# A run that fails is run again when the JACK server overran during it: a write whose messages
# the server dropped is read back as differing, rightly, but proves nothing about the program.
set -eu
# shellcheck source=tests/jack/overruns.sh
. "$(dirname "$0")/overruns.sh"
if [ -z "${ZKT_ROUND_TRIP_RUN:-}" ]; then
    attempt=1
    while :; do
        before=$(overruns)
        if ZKT_ROUND_TRIP_RUN=$attempt "$0" "$@"; then
            exit 0
        fi
        worth_another_try "$attempt" "$before" || exit 1
        attempt=$((attempt + 1))
    done
fi
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

# One piston changed: one program update to one manual, a backup kept, the chain as the file.
XDG_DATA_HOME="$work/data"
export XDG_DATA_HOME
rm -rf "$XDG_DATA_HOME"
"$zktcli" export "$work/second.zkt" -o "$work/second.json"
python3 - "$work/second.json" "$work/one-piston.json" <<'PY'
import json, sys
organ = json.load(open(sys.argv[1]))
piston = next(p for p in organ["manuals"][1]["pistons"] if p["functionGroup"] == 7)
piston["programNumber"] = piston["programNumber"] % 128 + 1
json.dump(organ, open(sys.argv[2], "w"))
PY
"$zktcli" import "$work/one-piston.json" -o "$work/one-piston.zkt"
# shellcheck disable=SC2086
"$zktcli" write -v "$work/one-piston.zkt" $ports 2>"$work/one-piston.log"
updates=$(grep -c "→ Program update, manual 2," "$work/one-piston.log" || true)
others=$(grep "→ Program update" "$work/one-piston.log" | grep -vc "manual 2," || true)
[ "$updates" -eq 1 ] && [ "$others" -eq 0 ] || {
    cat "$work/one-piston.log" >&2
    echo "one piston changed sent $updates updates to manual 2 and $others to others, not exactly one" >&2
    exit 1
}
[ "$("$zktcli" backups | grep -c "3 manuals")" -eq 1 ] || { "$zktcli" backups >&2; echo "the write kept no backup" >&2; exit 1; }
# shellcheck disable=SC2086
"$zktcli" verify "$work/one-piston.zkt" $ports
echo "one piston changed: one program update, a backup kept, the chain as the file"
