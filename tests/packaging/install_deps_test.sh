#!/usr/bin/env bash
# scripts/install-deps against a pretend machine: apt-get, dpkg-query, debconf-set-selections,
# sudo and id are stubs first on the PATH, so nothing here can query or change the real one.
# Each stub writes what it was asked to a log, which the cases below read.
set -uo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stubs=$work/stubs
mkdir -p "$stubs"

# dpkg-query: every package is installed but those named in STUB_ABSENT.
cat >"$stubs/dpkg-query" <<'EOF'
#!/usr/bin/env bash
name=${!#}
for absent in $STUB_ABSENT; do [ "$absent" = "$name" ] && exit 1; done
printf 'install ok installed'
EOF
# apt-get: a simulated install prints each line of STUB_PLAN ("TRIGGER|LINE") whose trigger
# package is among those asked for.
cat >"$stubs/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STUB_LOG"
if [[ " $* " == *" -s "* ]]; then
  while IFS='|' read -r trigger line; do
    [ -z "$trigger" ] && continue
    for arg in "$@"; do [ "$arg" = "$trigger" ] && { echo "$line"; break; }; done
  done <<<"$STUB_PLAN"
fi
exit 0
EOF
cat >"$stubs/debconf-set-selections" <<'EOF'
#!/usr/bin/env bash
echo "debconf-set-selections $(cat)" >>"$STUB_LOG"
EOF
cat >"$stubs/sudo" <<'EOF'
#!/usr/bin/env bash
echo "sudo $1" >>"$STUB_LOG"
exec "$@"
EOF
printf '#!/bin/sh\necho 1000\n' >"$stubs/id"
chmod +x "$stubs"/*

failures=0
fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }

# run NAME ABSENT PLAN [ARGS...]: runs the script on that machine; leaves its status, stderr and log.
run() {
  case_name=$1 STUB_ABSENT=$2 STUB_PLAN=$3
  shift 3
  : >"$work/log"
  STUB_LOG=$work/log STUB_ABSENT=$STUB_ABSENT STUB_PLAN=$STUB_PLAN PATH="$stubs:$PATH" \
    "$script" "$@" 2>"$work/err" >/dev/null
  status=$?
  log=$(cat "$work/log")
  err=$(cat "$work/err")
}
expect_status() { [ "$status" = "$1" ] || fail "exit status $status, expected $1; stderr: $err"; }
expect_log() { grep -qF -- "$1" <<<"$log" || fail "no '$1' in the log: $log"; }
expect_no_log() { ! grep -qF -- "$1" <<<"$log" || fail "unexpected '$1' in the log: $log"; }
expect_err() { grep -qF -- "$1" <<<"$err" || fail "no '$1' in what it said: $err"; }
# The real install is the one apt-get call without -s.
installed_list() { grep '^apt-get install' <<<"$log" | grep -v -- ' -s ' | sed 's/.*-qq //'; }

no_other_jack="libjack-dev libjack0 jackd1 pipewire-jack"
jack2_machine="librtmidi-dev libjack-jackd2-dev $no_other_jack"

run "everything there" "" ""
expect_status 0
[ -z "$log" ] || fail "asked apt although nothing is missing: $log"

run "JACK2 machine, apt would swap it for JACK1" "$jack2_machine" \
  "librtmidi-dev|Remv qjackctl [0.9.9-1]
librtmidi-dev|Remv jackd2 [1.9.21~dfsg-3]
librtmidi-dev|Remv libjack-jackd2-0 [1.9.21~dfsg-3] [python3-rtmidi:amd64 ]
librtmidi-dev|Inst libjack0 (1:0.126.0-2 Debian:12.15/oldstable [amd64])"
expect_status 1
[ -z "$(installed_list)" ] || fail "installed: $(installed_list)"
expect_no_log debconf-set-selections
expect_err "remove jackd2 (1.9.21~dfsg-3)"
expect_err "remove libjack-jackd2-0 (1.9.21~dfsg-3)"
expect_err "  librtmidi-dev: remove qjackctl (0.9.9-1), remove jackd2"
expect_err "sudo apt-get install -y --no-install-recommends librtmidi-dev libjack-jackd2-dev"

run "JACK2 machine, nothing removed" "$jack2_machine" \
  "librtmidi-dev|Inst librtmidi6 (5.0.0-3 Debian:12.15/oldstable [amd64])
libjack-jackd2-dev|Inst libglib2.0-0 [2.74.6-2+deb12u8] (2.74.6-2+deb12u9 Debian:12.15/oldstable [amd64])"
expect_status 0
[ "$(installed_list)" = "librtmidi-dev libjack-jackd2-dev" ] || fail "installed: $(installed_list)"
expect_log "sudo apt-get"
expect_no_log debconf-set-selections

run "a downgrade is refused" "$jack2_machine" \
  "libjack-jackd2-dev|Inst libglib2.0-0 [2.74.6-2+deb12u9] (2.74.6-2+deb12u8 Debian:12.15/oldstable [amd64])"
expect_status 1
[ -z "$(installed_list)" ] || fail "installed: $(installed_list)"
expect_err "downgrade libglib2.0-0 (2.74.6-2+deb12u9 -> 2.74.6-2+deb12u8)"
expect_err "  libjack-jackd2-dev: downgrade libglib2.0-0"

run "JACK1 machine keeps JACK1" "librtmidi-dev libjack-dev libjack-jackd2-dev libjack-jackd2-0 jackd2 pipewire-jack" ""
expect_status 0
[ "$(installed_list)" = "librtmidi-dev libjack-dev" ] || fail "installed: $(installed_list)"

run "no JACK yet: JACK2 and its server" "librtmidi-dev libjack-dev libjack-jackd2-dev libjack0 libjack-jackd2-0 jackd1 jackd2 pipewire-jack" ""
expect_status 0
[ "$(installed_list)" = "librtmidi-dev libjack-jackd2-dev jackd2" ] || fail "installed: $(installed_list)"
expect_log "debconf-set-selections jackd2 jackd/tweak_rt_limits boolean false"

run "PipeWire's JACK counts as a server" "librtmidi-dev libjack-dev libjack-jackd2-dev libjack0 jackd1 jackd2" ""
expect_status 0
[ "$(installed_list)" = "librtmidi-dev libjack-jackd2-dev" ] || fail "installed: $(installed_list)"

run "the page's packages only with --web" "chromium" "chromium|Remv firefox-esr [153.0esr-1]"
expect_status 0
[ -z "$log" ] || fail "asked apt for the page's packages: $log"
run "the page's packages are checked as well" "chromium" "chromium|Remv firefox-esr [153.0esr-1]" --web
expect_status 1
[ -z "$(installed_list)" ] || fail "installed: $(installed_list)"
expect_err "  chromium: remove firefox-esr (153.0esr-1)"

[ "$failures" -eq 0 ] && echo "all install-deps cases pass"
exit $((failures > 0))
