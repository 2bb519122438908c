#!/usr/bin/env bash
# Runs Debian's FlightGear (fgfs) headless for the page's FlightGear link:
# the c172p in the air near KSFO, its web server on a loopback port, under
# Xvfb with a D-Bus session of its own (fgfs aborts without one), drawing
# nothing (software rendering of the scenery would take a core and slow the
# simulation down to a few frames a second) and held to 30 frames a second.
#
#   scripts/fgfs-headless.sh start [DIR]   start fgfs, wait until its web
#                                          server answers, print "PID PORT"
#   scripts/fgfs-headless.sh stop PID      stop the fgfs started as PID
#   scripts/fgfs-headless.sh run -- COMMAND [ARG...]
#                                          start fgfs, run COMMAND with
#                                          FGFS_PORT and FGFS_PID set, stop
#                                          fgfs whatever happens; COMMAND's
#                                          exit status
#
# DIR (default: a new temporary folder, named when fgfs answers) holds
# fgfs's home (FG_HOME, so no saved settings of the user's are read or
# written), its log fgfs.log and fgfs.pid; run removes it at the end.
# FGFS_PORT chooses the port (default: a free one), FGFS_TIMEOUT the seconds
# to wait for the server (default 240), FGFS_ARGS adds options.
# Everything started lives in one process group led by PID: stop ends that
# group, never anything found by name.
set -euo pipefail

FGFS=${FGFS:-/usr/games/fgfs}

# The command line. Sound, AI traffic, scenery downloads and weather
# fetches off; no splash screen, saved state or scenery decorations; the
# draw masks leave every frame empty.
fgfs_options() {
  local port=$1
  printf '%s\n' \
    --aircraft=c172p --airport=KSFO --in-air --altitude=3000 --vc=100 \
    "--httpd=$port" \
    --disable-sound --disable-ai-traffic --disable-terrasync --disable-real-weather-fetch \
    --disable-splash-screen --ignore-autosave --geometry=320x240 --timeofday=noon \
    --fog-fastest --visibility=2000 --disable-clouds --disable-clouds3d \
    --disable-random-objects --disable-random-vegetation --disable-random-buildings \
    --disable-specular-highlight \
    --prop:/sim/rendering/draw-mask/terrain=false \
    --prop:/sim/rendering/draw-mask/models=false \
    --prop:/sim/rendering/draw-mask/aircraft=false \
    --prop:/sim/rendering/draw-mask/clouds=false \
    --prop:/sim/frame-rate-throttle-hz=30
}

# An HTTP GET on the loopback port with nothing but bash; the body on
# stdout, false when nothing answers within 5 s.
http_get() {
  local port=$1 path=$2
  timeout 5 bash -c '
    exec 3<>"/dev/tcp/127.0.0.1/$0" || exit 1
    printf "GET %s HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n" "$1" >&3
    sed "1,/^\r\?$/d" <&3' "$port" "$path" 2>/dev/null
}

# A loopback port nobody listens on.
free_port() {
  local port
  for _ in $(seq 1 50); do
    port=$((20000 + RANDOM % 40000))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
  echo "fgfs-headless: no free loopback port found" >&2
  return 1
}

stop() {
  local pid=$1
  [[ $pid =~ ^[0-9]+$ ]] || { echo "fgfs-headless: not a process id: $pid" >&2; return 2; }
  kill -TERM -- "-$pid" 2>/dev/null || return 0
  for _ in $(seq 1 50); do
    kill -0 -- "-$pid" 2>/dev/null || return 0
    sleep 0.2
  done
  kill -KILL -- "-$pid" 2>/dev/null || true
}

start() {
  local dir=${1:-$(mktemp -d -t fgfs-XXXXXX)}
  local port=${FGFS_PORT:-$(free_port)}
  local timeout=${FGFS_TIMEOUT:-240}
  if [ ! -x "$FGFS" ]; then
    echo "fgfs-headless: $FGFS is missing (scripts/setup.sh --tests installs flightgear)" >&2
    return 1
  fi
  mkdir -p "$dir/home"
  local -a options
  mapfile -t options < <(fgfs_options "$port")
  # shellcheck disable=SC2206
  options+=(${FGFS_ARGS:-})
  # setsid: a new process group, led by the process whose id $! gives.
  FG_HOME="$dir/home" setsid dbus-run-session -- \
    xvfb-run -a -s "-screen 0 320x240x24" "$FGFS" "${options[@]}" \
    >"$dir/fgfs.log" 2>&1 </dev/null &
  local pid=$!
  echo "$pid" >"$dir/fgfs.pid"
  local started=$SECONDS
  # Interrupted before the server answers: nobody else knows the pid yet.
  trap 'stop "$pid"; exit 130' INT TERM
  # The server answers once the aircraft's systems are up.
  while [ $((SECONDS - started)) -lt "$timeout" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "fgfs-headless: fgfs ended before its web server answered; $dir/fgfs.log ends:" >&2
      tail -n 20 "$dir/fgfs.log" >&2
      stop "$pid"
      trap - INT TERM
      return 1
    fi
    if http_get "$port" /json/sim/signals/fdm-initialized | grep -q '"value":true'; then
      echo "fgfs-headless: fgfs (pid $pid) answers on port $port after $((SECONDS - started)) s;" \
        "its home and log are in $dir" >&2
      trap - INT TERM
      echo "$pid $port"
      return 0
    fi
    sleep 1
  done
  echo "fgfs-headless: fgfs did not answer on port $port within $timeout s; stopping it" >&2
  stop "$pid"
  trap - INT TERM
  return 1
}

case "${1:-}" in
  start)
    shift
    start "$@"
    ;;
  stop)
    [ $# -eq 2 ] || { echo "usage: fgfs-headless.sh stop PID" >&2; exit 2; }
    stop "$2"
    ;;
  run)
    shift
    [ "${1:-}" = "--" ] && shift
    [ $# -gt 0 ] || { echo "usage: fgfs-headless.sh run -- COMMAND [ARG...]" >&2; exit 2; }
    dir=$(mktemp -d -t fgfs-XXXXXX)
    read -r FGFS_PID FGFS_PORT < <(start "$dir") || true
    [ -n "${FGFS_PID:-}" ] || { rm -rf "$dir"; exit 1; }
    trap 'stop "$FGFS_PID"; rm -rf "$dir"' EXIT
    trap 'exit 130' INT TERM
    export FGFS_PID FGFS_PORT FGFS_DIR=$dir
    status=0
    "$@" || status=$?
    exit "$status"
    ;;
  *)
    echo "usage: fgfs-headless.sh start [DIR] | stop PID | run -- COMMAND [ARG...]" >&2
    exit 2
    ;;
esac
