#!/usr/bin/env bash
# The demo of ./qx demo (run after the build): the example project in a
# scratch copy, the plug-in driven through qxhost as the hardware-configuration
# tool drives it, against the simulated communication manager qxcommd when it
# is built.
# With a display (DISPLAY or WAYLAND_DISPLAY set, QX_HEADLESS not 1) the
# configurator window opens for the module in slot index 2, and the host
# tells it qxcommd's port, so that its Upload and Download buttons work at
# once. Without one, the show call only prepares the parameter file, and a
# download and an upload of every KM31QX-2C module follow.
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

WINDOW=0
if [[ -n ${DISPLAY:-}${WAYLAND_DISPLAY:-} && ${QX_HEADLESS:-} != 1 ]]; then WINDOW=1; fi

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

# Starts qxcommd and sets PORT once it listens.
start_simulator() {
  say "starting the simulated communication manager"
  local ready=$SCRATCH/qxcommd.ready
  coproc SIM { exec "$BUILD/qxcommd" --plant "$ROOT/examples/plant.ini" --port 0 \
    --state "$SCRATCH/state" --ready-file "$ready"; }
  SIM_PID=$SIM_PID
  wait_for_ready "$ready"
  PORT=$(tr -dc '0-9' <"$ready")
  echo "demo: qxcommd (pid $SIM_PID) listens on port $PORT"
}

if ((WINDOW)); then
  show=(show "$BASE" 12 0x0409 0x110)
  if [[ -x $BUILD/qxcommd ]]; then
    start_simulator
    show+=(--port "$PORT")
  else
    echo "demo: $BUILD/qxcommd is not built; the window's Upload and Download will find no manager"
  fi
  say "show: the configurator window for the module in slot index 2 (close it with OK or Cancel)"
  "$BUILD/qxhost" set-limits 100 200 "${show[@]}" || true
  say "the parameter file after the window"
  show_sections
  if [[ -n $SIM_PID ]]; then
    echo "module images kept by qxcommd:"
    ls "$SCRATCH/state"
  fi
  stop_simulator
  echo "demo: done"
  exit 0
fi

say "no display (DISPLAY unset or QX_HEADLESS=1): no window opens; the headless flow follows"
say "show: the host asks for the configurator of the module in slot index 2"
"$BUILD/qxhost" set-limits 100 200 show "$BASE" 12 0x0409 0x110 || true
say "what the show call prepared"
show_sections

if [[ ! -x $BUILD/qxcommd ]]; then
  say "transfers skipped: $BUILD/qxcommd is not built"
  exit 0
fi
start_simulator

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
