# shellcheck shell=sh
# Sourced by the JACK tests. A JACK server without real-time scheduling drops the MIDI of a cycle
# a client did not finish in time ("XRun" in its log), as a real interface drops what it cannot
# pass on. A test whose result differs from the expected one is tried again, at most three times
# in all, only when the server overran during it: an overrun is the machine's doing, not ours.

# overruns: how many times the test server has overrun so far.
overruns() {
    if [ -n "${ZKT_JACK_LOG:-}" ] && [ -f "$ZKT_JACK_LOG" ]; then
        # grep says 0 and fails when there is none, which would end a script under set -e.
        grep -c "XRun" "$ZKT_JACK_LOG" || true
    else
        echo 0
    fi
}

# worth_another_try ATTEMPT OVERRUNS_BEFORE: true when the server overran since OVERRUNS_BEFORE
# and ATTEMPT was not the last; says so on stderr.
worth_another_try() {
    during=$(($(overruns) - $2))
    if [ "$during" -eq 0 ] || [ "$1" -ge 3 ]; then
        return 1
    fi
    echo "the JACK server overran $during times during the test; trying again" >&2
}
