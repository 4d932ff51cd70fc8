#!/usr/bin/env bash
# Retakes the README's screenshots of the configurator window: the window is
# opened by qxhost under Xvfb on a copy of a filled fixture project, the
# pages are turned with the keyboard, and each view is cut out of Xvfb's
# screen file and saved as PNG. Needs the build (./qx build), xvfb-run,
# xdotool and python3.
# usage: docs/screenshots/take.sh          (inside: take.sh --inside WORK)
set -euo pipefail
ROOT=$(cd "$(dirname "$(readlink -f "$0")")/../.." && pwd)
OUT=$ROOT/docs/screenshots
BUILD=${QX_BUILD:-$ROOT/build}

if [[ ${1:-} != --inside ]]; then
  WORK=$(mktemp -d)
  trap 'rm -rf "$WORK"' EXIT
  cp "$ROOT"/tests/data/cli/line1.{ini,hw,qx1} "$WORK/"
  # A display number of its own, so that it never meets another test's Xvfb.
  xvfb-run -a -n $((200 + RANDOM % 600)) -s "-screen 0 1280x1024x24 -fbdir $WORK" "$0" --inside "$WORK"
  exit
fi
WORK=$2
export QX_COMMON_APPDATA=$BUILD/data
unset QX_HEADLESS QT_QPA_PLATFORM

# Saves the rectangle of window $1 from the screen file as $2.png.
shot() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  sleep 0.4
  eval "$(xdotool getwindowgeometry --shell "$1")"
  python3 - "$WORK/Xvfb_screen0" "$OUT/$2.png" "$X" "$Y" "$WIDTH" "$HEIGHT" <<'PY'
import struct, sys, zlib
path, out, x, y, w, h = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:])
data = open(path, 'rb').read()
field = lambda i: struct.unpack('>I', data[4 * i:4 * i + 4])[0]
header, ncolors, row = field(0), field(19), field(12)
pixels = header + ncolors * 12
raw = b''.join(b'\0' + bytes(c for px in range(x, x + w)
                             for c in reversed(data[pixels + yy * row + px * 4:pixels + yy * row + px * 4 + 3]))
               for yy in range(y, y + h))
chunk = lambda t, d: struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d))
open(out, 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
                      + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
PY
}

window_named() {
  local id
  for ((i = 0; i < 100; i++)); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [[ -n $id ]] && { echo "$id"; return; }
    sleep 0.1
  done
  return 1
}

# Opens the window in language $1 (its title $2).
open_window() {
  "$BUILD/qxhost" show "$WORK/line1" 12 "$1" 0x110 >/dev/null 2>&1 &
  window=$(window_named "${2:-QX Configurator}")
  xdotool windowfocus --sync "$window" mousemove 1270 1010
}

open_window 0x0409
shot "$window" main
cp "$OUT/main.png" "$OUT/dataexch.png"
xdotool key ctrl+Tab && shot "$window" ntp
xdotool key ctrl+Tab && shot "$window" snmp
xdotool key ctrl+Tab && shot "$window" mail_server
xdotool key ctrl+Tab && shot "$window" mail_trigger
xdotool key ctrl+Tab && shot "$window" mail_recipients
# The trigger dialog: back on the trigger list, Enter on its first row.
xdotool key ctrl+shift+Tab ctrl+Home Return
if dialog=$(window_named 'Trigger Configuration'); then
  shot "$dialog" trigger_dialog
  xdotool key Escape
  sleep 0.3
fi
xdotool windowfocus --sync "$window" key Escape
wait

# The Item Edit dialog of the first item, and the window in traditional Chinese.
open_window 0x0409
xdotool key Tab ctrl+Home Return
if dialog=$(window_named 'Item Edit'); then
  shot "$dialog" item_edit
  xdotool key Escape
  sleep 0.3
fi
xdotool windowfocus --sync "$window" key Escape
wait
open_window 0x0404 'QX 組態設定工具'
shot "$window" chinese
xdotool key Escape
wait
