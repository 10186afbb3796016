# Sourced by the test harnesses (sh): a private session bus and the daemons
# started on it, all ended when the harness exits.
#
# The bus reads its services from its own directory only, never from the
# system's, so that nothing installed on the machine (another desktop's
# portal back end, say) can be started on it; the harness starts what it
# needs itself. Daemons started here have their output in the scratch
# directory, so that none can hold the output of the caller (CTest) open,
# and get SIGTERM when the harness dies, even by SIGKILL (a CTest timeout).
#
#   bus_start SCRATCH          starts the bus, exports DBUS_SESSION_BUS_ADDRESS
#   bus_spawn NAME COMMAND...  starts a daemon, output in SCRATCH/NAME.log;
#                              its process id in $spawned
#   bus_wait_until SECONDS WHAT COMMAND...
#                              runs COMMAND until it succeeds; fails with
#                              "WHAT did not start" and the logs when the
#                              time runs out or a daemon has ended
#   bus_has_owner NAME         whether a bus name is owned (activates nothing)
#   bus_run COMMAND...         runs the harness's command, ended with the harness
#   bus_stop                   ends the daemons, what the bus started, the bus
bus_scratch=""
bus_pid=""
bus_daemons=""

bus_start() {
  bus_scratch=$1
  mkdir -p "$bus_scratch/services"
  cat >"$bus_scratch/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$bus_scratch</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$bus_scratch/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  setpriv --pdeathsig TERM dbus-daemon --config-file="$bus_scratch/bus.conf" --nofork --nopidfile --print-address=3 \
    3>"$bus_scratch/address" </dev/null >"$bus_scratch/bus.log" 2>&1 &
  bus_pid=$!
  bus_wait_until 20 "the session bus" test -s "$bus_scratch/address"
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$bus_scratch/address")
  export DBUS_SESSION_BUS_ADDRESS
}

bus_spawn() {
  name=$1
  shift
  setpriv --pdeathsig TERM "$@" </dev/null >"$bus_scratch/$name.log" 2>&1 &
  spawned=$!
  bus_daemons="$spawned $bus_daemons"
}

bus_wait_until() {
  seconds=$1
  what=$2
  shift 2
  tries=$((seconds * 20))
  until "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    # A daemon that ended will not get ready: no need to wait for it.
    for pid in $bus_daemons; do
      kill -0 "$pid" 2>/dev/null || tries=0
    done
    if [ $tries -le 0 ]; then
      echo "$what did not start; the logs:" >&2
      for log in "$bus_scratch"/*.log; do
        [ -s "$log" ] && { echo "== $log" >&2; tail -n 20 "$log" >&2; }
      done
      return 1
    fi
    sleep 0.05
  done
}

bus_run() {
  setpriv --pdeathsig TERM "$@"
}

bus_has_owner() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q "boolean true"
}

# Ends the processes and waits for them, up to 10 s, then kills what is left.
bus_end() {
  [ -n "$*" ] || return 0
  kill "$@" 2>/dev/null || true
  tries=200
  while [ $tries -gt 0 ]; do
    alive=""
    for pid in "$@"; do
      kill -0 "$pid" 2>/dev/null && alive="$alive $pid"
    done
    [ -z "$alive" ] && return 0
    sleep 0.05
    tries=$((tries - 1))
  done
  kill -KILL $alive 2>/dev/null || true
}

bus_stop() {
  # The bus starts nothing from its empty service directory, but a harness
  # may have given it services: those it started are its children.
  activated=""
  [ -n "$bus_pid" ] && activated=$(ps -o pid= --ppid "$bus_pid" || true)
  bus_end $bus_daemons $activated
  bus_end $bus_pid
  bus_daemons=""
  bus_pid=""
}

# Whether the portal front end is on the bus and offers global shortcuts. Its
# name is called only once it is owned, so that nothing is activated.
bus_portal_ready() {
  bus_has_owner org.freedesktop.portal.Desktop &&
    dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop /org/freedesktop/portal/desktop \
      org.freedesktop.DBus.Properties.Get string:org.freedesktop.portal.GlobalShortcuts string:version
}
