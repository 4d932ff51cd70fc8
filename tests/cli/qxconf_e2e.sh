#!/usr/bin/env bash
# qxconf from the shell, as a user runs it, against qxcommd on 127.0.0.1.
# CTest runs it as
#   qxconf_e2e.sh QXCONF QXCOMMD FIXTURES
# with QX_COMMON_APPDATA set. qxcommd is started on a free port, waited on
# through its --ready-file (with a deadline) and stopped by its process id.
# Each step checks the exit status and a line of the output; the first
# failing step ends the script with status 1.
set -uo pipefail
QXCONF=$1 QXCOMMD=$2 FIXTURES=$3
WORK=$(mktemp -d)
SIM_PID=

cleanup() {
  if [[ -n $SIM_PID ]]; then
    kill "$SIM_PID" 2>/dev/null
    wait "$SIM_PID" 2>/dev/null
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "qxconf_e2e: $*" >&2
  exit 1
}

# expect STATUS PATTERN COMMAND...: runs COMMAND, checks its exit status and
# that PATTERN (grep -E) occurs in its standard output and error; the
# pattern NOTHING wants no output at all.
expect() {
  local want=$1 pattern=$2 status
  shift 2
  "$@" >"$WORK/out" 2>&1
  status=$?
  ((status == want)) || { cat "$WORK/out" >&2; fail "$* exited $status, expected $want"; }
  if [[ $pattern == NOTHING ]]; then
    [[ ! -s $WORK/out ]] || { cat "$WORK/out" >&2; fail "$*: output where none was expected"; }
    return 0
  fi
  grep -Eq -- "$pattern" "$WORK/out" || { cat "$WORK/out" >&2; fail "$*: no line matching '$pattern'"; }
}

cp "$FIXTURES"/line1.* "$FIXTURES"/line9.* "$FIXTURES"/faulty.* "$FIXTURES"/old.ini "$WORK/"
cd "$WORK" || fail "no scratch folder"
cat >plant.ini <<'PLANT'
[STATION1]
RACK1=3,8
PLANT

"$QXCOMMD" --plant plant.ini --port 0 --ready-file ready --latency 2 >sim.log 2>&1 &
SIM_PID=$!
deadline=$((SECONDS + 20))
until [[ -s ready ]]; do
  kill -0 "$SIM_PID" 2>/dev/null || fail "qxcommd ended: $(cat sim.log)"
  ((SECONDS < deadline)) || fail "qxcommd wrote no ready file"
  sleep 0.05
done
PORT=$(<ready)

expect 0 '^qxconf [0-9]' "$QXCONF" --version
expect 0 'backup' "$QXCONF" --help
expect 0 '--port' "$QXCONF" compare --help
expect 2 'required' "$QXCONF" compare line1 12
expect 0 'line1 SLOT12: 3 items exported to table.csv' "$QXCONF" csv export line1 12 table.csv --lang CHT
expect 0 '3 items imported from table.csv' "$QXCONF" csv import line1 12 table.csv

expect 0 'ReadBlock|RemoteAddress' "$QXCONF" dump line1 12
expect 0 'D100\.15' "$QXCONF" dump line1 SLOT12
expect 0 '"IpAddress": "192\.168\.10\.41"' "$QXCONF" dump --json line1 17
expect 0 '0 findings in 2 modules' "$QXCONF" check line1
expect 1 'faulty\.qx1:17: DataExchangeItem\[3\]\.Timeout' "$QXCONF" check faulty
expect 2 'no such file' "$QXCONF" check missing.qx1
expect 1 'SLOT12: DataExchangeItem\[1\]\.SlaveAddress: 1 -> 7' "$QXCONF" diff line1.qx1 faulty.qx1
expect 0 NOTHING "$QXCONF" diff line1:12 line1.qx1:12

# The simulated modules start from the default configuration.
expect 1 'SLOT12: [0-9]+ field\(s\) differ' "$QXCONF" compare line1 12 --port "$PORT"
cmp -s line1.qx1 "$FIXTURES/line1.qx1" || fail "compare changed the project's parameter file"

mkdir backup
expect 1 'line9 SLOT17: .*status 0x0101' "$QXCONF" backup line1 line9 --port "$PORT" --out backup -j 4
[[ -f backup/line1_SLOT12.qx1 && -f backup/line1_SLOT17.qx1 ]] || fail "line1's modules were not saved"
[[ ! -e backup/line9_SLOT12.qx1 ]] || fail "a failed module left a file"
expect 0 'CPU Model|no items in use' "$QXCONF" dump backup/line1_SLOT12.qx1
expect 0 '2 of 2 modules saved' "$QXCONF" backup line1 --port "$PORT" --out backup

expect 0 '1 section converted' "$QXCONF" convert old.ini
expect 0 '0 findings' "$QXCONF" check old.qx1
expect 2 'exists' "$QXCONF" convert old.ini
expect 0 NOTHING "$QXCONF" diff old.ini old.qx1

kill "$SIM_PID" && wait "$SIM_PID"
status=$?
SIM_PID=
((status == 0)) || fail "qxcommd exited $status"
echo "qxconf_e2e: all steps passed"
