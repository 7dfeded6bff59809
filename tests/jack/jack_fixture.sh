#!/bin/sh
# Starts and stops a private JACK server and the simulated encoder chain for the MIDI
# transport tests, and runs commands against them. State (PIDs, server name, logs) lives in
# the directory given as the first argument, so that every build tree has its own.
#
#   jack_fixture.sh DIR start-server
#   jack_fixture.sh DIR start-sim NAME ZKTSIM [zktsim options...]
#   jack_fixture.sh DIR run COMMAND [arguments...]
#   jack_fixture.sh DIR stop-sim NAME
#   jack_fixture.sh DIR stop-server
# NAME tells apart several simulators on one server.
set -u

dir=$1
action=$2
shift 2
mkdir -p "$dir"

export JACK_NO_START_SERVER=1
if [ -f "$dir/server" ]; then
    JACK_DEFAULT_SERVER=$(cat "$dir/server")
    export JACK_DEFAULT_SERVER
fi

# Polls every 0.1 s, at most $1 tries, until the rest of the line succeeds.
wait_for() {
    tries=$1
    shift
    while [ "$tries" -gt 0 ]; do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

# Stops the process whose PID is in file $1: SIGTERM, then SIGKILL if it lingers 5 s.
stop_pid_file() {
    [ -f "$1" ] || return 0
    pid=$(cat "$1")
    rm -f "$1"
    kill -TERM "$pid" 2>/dev/null || return 0
    if ! wait_for 50 sh -c "! kill -0 $pid"; then
        echo "process $pid ignored SIGTERM; killing it" >&2
        kill -KILL "$pid" 2>/dev/null
    fi
}

case "$action" in
start-server)
    stop_pid_file "$dir/jackd.pid"
    JACK_DEFAULT_SERVER="zkt-test-$$"
    export JACK_DEFAULT_SERVER
    echo "$JACK_DEFAULT_SERVER" >"$dir/server"
    jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 256 </dev/null >"$dir/jackd.log" 2>&1 &
    echo $! >"$dir/jackd.pid"
    if ! wait_for 100 jack_lsp; then
        echo "JACK server $JACK_DEFAULT_SERVER did not answer within 10 s:" >&2
        cat "$dir/jackd.log" >&2
        stop_pid_file "$dir/jackd.pid"
        exit 1
    fi
    echo "JACK server $JACK_DEFAULT_SERVER running (PID $(cat "$dir/jackd.pid"))"
    ;;
start-sim)
    sim=$1
    shift
    stop_pid_file "$dir/$sim.pid"
    # Emptied before the start, so that a previous run's "ready" is never taken for this one's.
    : >"$dir/$sim.log"
    "$@" </dev/null >"$dir/$sim.log" 2>&1 &
    echo $! >"$dir/$sim.pid"
    if ! wait_for 100 grep -q "zktsim: ready" "$dir/$sim.log"; then
        echo "zktsim did not get ready within 10 s:" >&2
        cat "$dir/$sim.log" >&2
        stop_pid_file "$dir/$sim.pid"
        exit 1
    fi
    cat "$dir/$sim.log"
    ;;
run)
    # Backups taken before writes stay in the build tree.
    XDG_DATA_HOME="$dir/data"
    export XDG_DATA_HOME
    # The server's log, where a test can see whether the server overran while it ran.
    ZKT_JACK_LOG="$dir/jackd.log"
    export ZKT_JACK_LOG
    # The tests read zktcli's English.
    LANGUAGE=en
    export LANGUAGE
    exec "$@"
    ;;
stop-sim)
    stop_pid_file "$dir/$1.pid"
    cat "$dir/$1.log" 2>/dev/null
    ;;
stop-server)
    stop_pid_file "$dir/jackd.pid"
    rm -f "$dir/server"
    ;;
*)
    echo "unknown action: $action" >&2
    exit 2
    ;;
esac
