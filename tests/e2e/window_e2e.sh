#!/usr/bin/env bash
# Drives the configurator window as a person would, inside the X display that
# xvfb-run made for it: qxhost opens the window for one module of a scratch
# project, xdotool clicks and types. window_e2e_test.cpp runs it as
#   xvfb-run -a -n N -s "-screen 0 1280x1024x24 -fbdir WORK" window_e2e.sh BUILD BASE WORK SCENARIO
# with QX_COMMON_APPDATA set. Scenarios, on the module in slot index 2:
#   ntp       the NTP tab, "NTP Client Service Enable" ticked, the update
#             cycle typed as 25, Enter (OK);
#   download  qxcommd started on a free port that the window learns from the
#             host's "set port" message; Download pressed, its message
#             answered, Cancel.
#   dataexch  qxcommd started as for download; on the Data Exchange tab
#             New... pressed from the keyboard, the new item's row double
#             clicked, in the Item Edit dialog the read remote address typed
#             as 1f and the read quantity as 10, Enter (the dialog's OK);
#             then Download, its message answered, and the window's OK.
# qxhost's output goes to WORK/host.log. Every wait is on a window, a file or
# a process and has a deadline; the exit status is 0 when the scenario ran to
# its end. On failure the screen is left in WORK/failure.xwd.
set -uo pipefail
BUILD=$1 BASE=$2 WORK=$3 SCENARIO=$4
WAIT_SECONDS=20
HOST_PID= SIM_PID= SIM_PORT=

fail() {
  echo "window_e2e: $*" >&2
  cp "$WORK/Xvfb_screen0" "$WORK/failure.xwd" 2>/dev/null
  exit 1
}

stop_children() {
  for pid in $HOST_PID $SIM_PID; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
}
trap stop_children EXIT

# One look for a visible window whose whole title is $1: prints its id and
# returns 0, returns 1 when there is none, 2 when the look itself failed.
# Debian's xdotool dies on BadWindow when any window (the progress window,
# say) is destroyed while it walks the window tree, and then exits 1 exactly
# as for "none found"; its X error on standard error tells the two apart.
look_for_window() {
  local found
  found=$(xdotool search --onlyvisible --name "^$1\$" 2>"$WORK/xdotool.err" | head -n 1)
  if [[ -n $found ]]; then
    echo "$found"
    return 0
  fi
  grep -q 'X Error' "$WORK/xdotool.err" && return 2
  return 1
}

# The id of the visible window whose whole title is $1, once it is there.
window_named() {
  local deadline=$((SECONDS + WAIT_SECONDS))
  until look_for_window "$1"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

# Until no visible window has the whole title $1.
wait_window_gone() {
  local deadline=$((SECONDS + WAIT_SECONDS)) status
  while :; do
    look_for_window "$1" >/dev/null
    status=$?
    ((status == 1)) && return 0
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

wait_host_exit() {
  local deadline=$((SECONDS + WAIT_SECONDS))
  while kill -0 "$HOST_PID" 2>/dev/null; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
  wait "$HOST_PID"
  HOST_PID=
}

# Xvfb keeps the screen in WORK/Xvfb_screen0 as an XWD image: a header of
# big-endian 32-bit fields, a colour map of 12-byte entries, then the rows.
FRAMEBUFFER=$WORK/Xvfb_screen0
field() { od -An -tu1 -j "$1" -N4 "$FRAMEBUFFER" | awk '{ print (($1 * 256 + $2) * 256 + $3) * 256 + $4 }'; }
ROW_BYTES=$(field 48)
PIXELS=$(($(field 0) + $(field 76) * 12))
# Checksum of the screen rows from $1 up to (not including) $2.
rows_checksum() {
  tail -c +$((PIXELS + $1 * ROW_BYTES + 1)) "$FRAMEBUFFER" | head -c $((($2 - $1) * ROW_BYTES)) | cksum
}

# The tab widths follow the font, so the NTP tab is found as a person finds
# it: pressing along the tab row from the left until the page below changes
# (the tab right of "Data Exchange" is NTP).
open_ntp_tab() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local top=$((Y + HEIGHT / 4)) bottom=$((Y + HEIGHT * 3 / 4)) tab_row=$((Y + 24))
  local before x polls
  # Xvfb draws the pointer into the screen: it goes to the tab row, above
  # the rows compared, before they are taken.
  xdotool mousemove "$((X + 12))" "$tab_row"
  before=$(rows_checksum "$top" "$bottom")
  for ((x = X + 12; x < X + WIDTH / 2; x += 12)); do
    xdotool mousemove "$x" "$tab_row" click 1
    for ((polls = 0; polls < 25; polls++)); do
      [[ $(rows_checksum "$top" "$bottom") != "$before" ]] && return 0
      sleep 0.02
    done
  done
  return 1
}

# The window opens with the focus on Upload. Its focus chain runs Upload,
# Download, Import File, Export File, Default, OK, Cancel, then the shown
# page: on the NTP page the client check box, the four parts of the server
# address, the update cycle.
edit_ntp() {
  open_ntp_tab "$1" || fail "pressing along the tab row never changed the page"
  xdotool key --delay 20 Tab Tab Tab Tab Tab Tab Tab space Tab Tab Tab Tab Tab
  xdotool type --delay 20 25
  xdotool key Return
}

# The first screen row, between $2 and $3, whose pixel at column $1 has the
# selection colour (a strong blue: red below 100, blue above 150).
selected_row() {
  local x=$1 y
  for ((y = $2; y < $3; y += 2)); do
    local b g r
    read -r b g r < <(od -An -tu1 -j $((PIXELS + y * ROW_BYTES + x * 4)) -N3 "$FRAMEBUFFER")
    if ((r < 100 && b > 150)); then
      echo "$y"
      return 0
    fi
  done
  return 1
}

# A click into the empty list gives it the focus; the focus chain then runs
# New..., Copy, Delete (Move Up and Move Down stay off for a lone item),
# Upload, Download, Import File, Export File, Default, OK.
edit_new_item() {
  local X Y WIDTH HEIGHT WINDOW SCREEN row dialog
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local x=$((X + WIDTH * 2 / 5)) deadline=$((SECONDS + WAIT_SECONDS))
  xdotool mousemove "$x" $((Y + HEIGHT / 2)) click 1
  xdotool key --delay 20 Tab space
  until row=$(selected_row "$x" $((Y + 40)) $((Y + HEIGHT / 2))); do
    ((SECONDS < deadline)) || fail "no selected row after New..."
    sleep 0.05
  done
  xdotool mousemove "$x" $((row + 4)) click --repeat 2 --delay 60 1
  dialog=$(window_named 'Item Edit')
  [[ -n $dialog ]] || fail "the Item Edit dialog did not open"
  # Backwards from "Enabled": Cancel, OK, the write block's quantity,
  # number, kind and offset, the read block's quantity, its number.
  xdotool windowfocus --sync "$dialog" key --delay 20 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab \
    shift+Tab shift+Tab shift+Tab
  xdotool key ctrl+a
  xdotool type --delay 20 1f
  xdotool key Tab ctrl+a
  xdotool type --delay 20 10
  xdotool key Return
  wait_window_gone 'Item Edit' || fail "the Item Edit dialog did not close"
  # The list has the focus again: on over New..., Copy, Delete and Upload.
  xdotool windowfocus --sync "$1" key --delay 20 Tab Tab Tab Tab Tab space
  local box
  box=$(window_named KM31QX-2C)
  [[ -n $box ]] || fail "no message after Download"
  xdotool windowfocus --sync "$box" key Return
  wait_window_gone KM31QX-2C || fail "the message after Download did not close"
  # OK, at the window's bottom right.
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + WIDTH - 131)) $((Y + HEIGHT - 24)) click 1
}

# The window opens on the Data Exchange page. A click into its empty item
# list gives the list the focus; the chain then runs New..., Upload, Download.
press_download() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + WIDTH * 2 / 5)) $((Y + HEIGHT / 2)) click 1
  xdotool key --delay 20 Tab Tab Tab space
  local box
  box=$(window_named KM31QX-2C)
  [[ -n $box ]] || fail "no message after Download"
  xdotool windowfocus --sync "$box" key Return
  wait_window_gone KM31QX-2C || fail "the message after Download did not close"
  xdotool windowfocus --sync "$1" key Escape
}

# Sets SIM_PORT once qxcommd listens.
start_simulator() {
  local ready=$WORK/qxcommd.ready deadline=$((SECONDS + WAIT_SECONDS))
  mkdir -p "$WORK/state"
  "$BUILD/qxcommd" --plant "$(dirname "$0")/../../examples/plant.ini" --port 0 \
    --state "$WORK/state" --ready-file "$ready" >"$WORK/qxcommd.log" 2>&1 &
  SIM_PID=$!
  until [[ -s $ready ]]; do
    kill -0 "$SIM_PID" 2>/dev/null || fail "qxcommd exited: $(cat "$WORK/qxcommd.log")"
    ((SECONDS < deadline)) || fail "qxcommd did not get ready"
    sleep 0.05
  done
  SIM_PORT=$(tr -dc '0-9' <"$ready")
}

unset QX_HEADLESS QT_QPA_PLATFORM
show=(show "$BASE" 12 0x0409 0x110)
case $SCENARIO in
  ntp) ;;
  download | dataexch)
    start_simulator
    show+=(--port "$SIM_PORT")
    ;;
  *) fail "unknown scenario $SCENARIO" ;;
esac

"$BUILD/qxhost" "${show[@]}" >"$WORK/host.log" 2>&1 &
HOST_PID=$!
window=$(window_named 'QX Configurator')
[[ -n $window ]] || fail "the configurator window did not open"
xdotool windowfocus --sync "$window"
case $SCENARIO in
  ntp) edit_ntp "$window" ;;
  download) press_download "$window" ;;
  dataexch) edit_new_item "$window" ;;
esac
wait_host_exit || fail "the window did not close"
