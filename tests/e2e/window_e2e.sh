#!/usr/bin/env bash
# Drives the configurator window as a person would, inside the X display that
# xvfb-run made for it: qxhost opens the window for one module of a scratch
# project, xdotool clicks and types. plugin_e2e_test.cpp runs it as
#   xvfb-run -a -n N -s "-screen 0 1280x1024x24 -fbdir WORK" window_e2e.sh BUILD BASE WORK SCENARIO
# with QX_COMMON_APPDATA set. Scenarios, on the module in slot index 2:
#   dataexch  qxcommd started on a free port that the window learns from the
#             host's "set port" message; on the Data Exchange tab
#             New... pressed from the keyboard, the new item's row double
#             clicked, in the Item Edit dialog the read remote address typed
#             as 1f and the read quantity as 10, Enter (the dialog's OK);
#             then Download, its message answered, and the window's OK.
#   mail      qxcommd as for dataexch; on the E-Mail tab the mail server,
#             trigger 1 (with a D block attached) and two recipients of it
#             set up by keyboard, Download pressed, its message answered, OK.
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

# Presses along the tab row at height $1 from x = $2 to $3 and stops after
# the page below changed $4 times; prints the x of each change.
press_tabs_along() {
  local row=$1 from=$2 to=$3 changes=$4 before x polls now
  xdotool mousemove "$from" "$row"
  before=$(rows_checksum "$PAGE_TOP" "$PAGE_BOTTOM")
  for ((x = from; x < to; x += 8)); do
    xdotool mousemove "$x" "$row" click 1
    for ((polls = 0; polls < 15; polls++)); do
      now=$(rows_checksum "$PAGE_TOP" "$PAGE_BOTTOM")
      [[ $now != "$before" ]] && break
      sleep 0.02
    done
    if [[ $now != "$before" ]]; then
      echo "$x"
      before=$now
      ((--changes == 0)) && return 0
    fi
  done
  return 1
}

# The E-Mail tab is the fourth: the page changes three times pressing along
# the window's tab row. The e-mail page's own tab row lies right below it
# (Mail Server, Email Trigger, Email and Trigger Configuration).
edit_mail() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  PAGE_TOP=$((Y + HEIGHT / 4)) PAGE_BOTTOM=$((Y + HEIGHT * 3 / 4))
  local tab_row=$((Y + 24)) inner_row=$((Y + 51)) xs dialog attachment
  press_tabs_along "$tab_row" $((X + 12)) $((X + WIDTH / 2)) 3 >/dev/null || fail "no E-Mail tab"
  # The sub-pages' tabs are found while no edit has the focus: a blinking
  # text cursor would change the page too. Mail Server is left of the two.
  xs=$(press_tabs_along "$inner_row" $((X + 12)) $((X + WIDTH * 2 / 3)) 2) || fail "no e-mail sub-pages"
  local trigger_tab recipient_tab
  trigger_tab=$(sed -n 1p <<<"$xs") recipient_tab=$(sed -n 2p <<<"$xs")
  xdotool mousemove $(((X + 12 + trigger_tab) / 2)) "$inner_row" click 1
  # The window opens with the focus on Upload. Its focus chain runs Upload,
  # Download, Import File, Export File, Default, OK, Cancel, then the shown
  # page: on Mail Server the server address (one stop for its four parts,
  # typed as written), port, "Default ( 25 )", sender, subject, the account
  # choice (Down: "Yes"), user name, password.
  xdotool key --delay 20 Tab Tab Tab Tab Tab Tab Tab
  xdotool type --delay 20 10.1.2.25
  xdotool key Tab
  xdotool type --delay 20 587
  xdotool key Tab Tab
  xdotool type --delay 20 plc@example.net
  xdotool key Tab
  xdotool type --delay 20 'Line 1'
  xdotool key Tab Down Tab
  xdotool type --delay 20 operator
  xdotool key Tab
  xdotool type --delay 20 pa55word

  # Email Trigger: a click into the list, its first row, Enter opens it.
  xdotool mousemove "$trigger_tab" "$inner_row" click 1
  xdotool mousemove $((X + WIDTH * 2 / 5)) $((Y + HEIGHT * 7 / 10)) click 1
  xdotool key ctrl+Home Return
  dialog=$(window_named 'Trigger Configuration')
  [[ -n $dialog ]] || fail "Enter on a trigger row opened no dialog"
  xdotool windowfocus --sync "$dialog"
  # Name, interval 6 (an hour), the user message, "PLC Device", Enter on the
  # attachment row.
  xdotool type --delay 20 'Hourly report'
  xdotool key Tab
  xdotool type --delay 20 6
  xdotool key Tab space Tab
  xdotool type --delay 20 'Line 1 report'
  xdotool key Tab Down Tab Return
  attachment=$(window_named Attachment)
  [[ -n $attachment ]] || fail "Enter on the attachment row opened no dialog"
  xdotool windowfocus --sync "$attachment"
  # D is offered; start number 100, length 10; Enter presses OK.
  xdotool key Tab
  xdotool type --delay 20 100
  xdotool key Tab
  xdotool type --delay 20 10
  xdotool key Return
  wait_window_gone Attachment || fail "the Attachment dialog did not close"
  xdotool windowfocus --sync "$dialog"
  # From the attachment row to the mode: "Periodic Timer"; to OK, Enter.
  xdotool key Tab Down Down Tab Return
  wait_window_gone 'Trigger Configuration' || fail "the Trigger Configuration dialog did not close"
  xdotool windowfocus --sync "$1"

  # Recipients: a click in the row labels, the first box (Trigger 1, Email
  # 1) and the one below it ticked with Space, the two addresses typed in
  # place (F2, text, Enter), then Tab out of the list to Upload.
  xdotool mousemove "$recipient_tab" "$inner_row" click 1
  xdotool mousemove $((X + 55)) $((Y + HEIGHT * 7 / 10)) click 1
  xdotool key ctrl+Home Right space Down space End F2
  xdotool type --delay 20 night@example.net
  xdotool key Return Up F2
  xdotool type --delay 20 ops@example.net
  xdotool key Return Tab
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

press_download() {
  xdotool key Tab space  # Upload -> Download
  local box
  box=$(window_named KM31QX-2C)
  [[ -n $box ]] || fail "no message after Download"
  xdotool windowfocus --sync "$box" key Return
  wait_window_gone KM31QX-2C || fail "the message after Download did not close"
  # Where the focus lands after the progress window is not fixed: OK is
  # clicked, the second button from the bottom right corner.
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool windowfocus --sync "$1" mousemove $((X + WIDTH - 130)) $((Y + HEIGHT - 24)) click 1
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
  mail | dataexch) start_simulator ;;
  *) fail "unknown scenario $SCENARIO" ;;
esac
show+=(--port "$SIM_PORT")

"$BUILD/qxhost" "${show[@]}" >"$WORK/host.log" 2>&1 &
HOST_PID=$!
window=$(window_named 'QX Configurator')
[[ -n $window ]] || fail "the configurator window did not open"
xdotool windowfocus --sync "$window"
case $SCENARIO in
  dataexch) edit_new_item "$window" ;;
  mail)
    edit_mail "$window"
    press_download "$window"
    ;;
esac
wait_host_exit || fail "the window did not close"
