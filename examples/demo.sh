#!/usr/bin/env bash
# The demo of ./qx demo (run after the build): the example project in a
# scratch copy, the plug-in driven through qxhost as the hardware-configuration
# tool drives it, and, when qxcommd is built, a download and an upload of every
# KM31QX-2C module against the simulated communication manager.
set -euo pipefail
ROOT=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
BUILD=${QX_BUILD:-$ROOT/build}
SCRATCH=$ROOT/scratch/demo
BASE=$SCRATCH/project/line1

say() { printf '\n== %s\n' "$*"; }

if [[ ! -x $BUILD/qxhost || ! -f $BUILD/libqx31.so ]]; then
  echo "demo: $BUILD/qxhost or $BUILD/libqx31.so is missing; run ./qx build first" >&2
  exit 1
fi

rm -rf "$SCRATCH"
mkdir -p "$SCRATCH/project" "$SCRATCH/state"
cp -R "$ROOT/examples/project/." "$SCRATCH/project/"
export QX_COMMON_APPDATA=$BUILD/data
echo "demo: project copied to $SCRATCH/project; data folder $QX_COMMON_APPDATA"

# The parameter file's slot sections with their identity keys.
show_sections() {
  local file=$BASE.qx1
  if [[ ! -f $file ]]; then
    echo "(no parameter file)"
    return
  fi
  echo "$file:"
  tr -d '\r' <"$file" | awk -F= '
    /^\[/ { section = $0; print "  " section; next }
    $1 == "MODULE_ID" || $1 == "SYNCH_ID" || $1 == "FWVER" || $1 == "DE" || $1 == "NTP" { print "    " $0 }'
}

say "show: the host opens the configurator for the module in slot index 2"
"$BUILD/qxhost" set-limits 100 200 show "$BASE" 12 0x0409 0x110 || true
say "what the show call prepared"
show_sections

SIM_PID=
stop_simulator() {
  if [[ -n $SIM_PID ]]; then
    kill "$SIM_PID" 2>/dev/null || true
    wait "$SIM_PID" 2>/dev/null || true
    SIM_PID=
  fi
}
trap stop_simulator EXIT

# Waits until qxcommd has written its ready file (the port it listens on).
# Between checks it waits on the simulator's own output, not on a clock.
wait_for_ready() {
  local ready=$1 deadline=$((SECONDS + 15)) line
  until [[ -s $ready ]]; do
    if ! kill -0 "$SIM_PID" 2>/dev/null; then
      echo "demo: qxcommd exited before it was ready" >&2
      return 1
    fi
    if ((SECONDS >= deadline)); then
      echo "demo: qxcommd did not get ready in time" >&2
      return 1
    fi
    if read -r -t 0.1 -u "${SIM[0]}" line; then echo "$line"; fi
  done
}

if [[ ! -x $BUILD/qxcommd ]]; then
  say "transfers skipped: $BUILD/qxcommd is not built"
  exit 0
fi

say "starting the simulated communication manager"
READY=$SCRATCH/qxcommd.ready
coproc SIM { exec "$BUILD/qxcommd" --plant "$ROOT/examples/plant.ini" --port 0 \
  --state "$SCRATCH/state" --ready-file "$READY"; }
SIM_PID=$SIM_PID
wait_for_ready "$READY"
PORT=$(tr -dc '0-9' <"$READY")
echo "demo: qxcommd (pid $SIM_PID) listens on port $PORT"

status=0
say "download: every KM31QX-2C module of rack 1, project -> modules"
"$BUILD/qxhost" download "$BASE" 00 "$PORT" || status=1
ls "$SCRATCH/state"
say "upload: every KM31QX-2C module of rack 1, modules -> project"
"$BUILD/qxhost" upload "$BASE" 00 "$PORT" || status=1
say "the parameter file after the upload"
show_sections

stop_simulator
if ((status == 0)); then echo "demo: done"; else echo "demo: a transfer failed" >&2; fi
exit "$status"
