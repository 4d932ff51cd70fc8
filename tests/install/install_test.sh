#!/usr/bin/env bash
# The installed tree as a user gets it: `cmake --install` into a scratch
# DESTDIR, then the installed qxhost loads the installed plug-in and drives it
# against the installed qxcommd, with QX_COMMON_APPDATA unset, so that the
# plug-in must find its data folder (text tables, module description) from
# where it was installed.
# usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
scratch=$build/scratch/install
root=$scratch/root
prefix=$root/usr

fail() {
  echo "install test: $*" >&2
  exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch/project" "$scratch/state"
DESTDIR=$root cmake --install "$build" >"$scratch/install.log"

# What the package holds.
plugin=$(find "$prefix/lib" -name libqx31.so -path '*/km31qx2c/*' -print -quit)
data="$prefix/share/Orvane Industrial Automation/SYSBUILD/Data/QXCONFIG"
[[ -n $plugin ]] || fail "no km31qx2c/libqx31.so under $prefix/lib"
for f in "$prefix/bin/qxhost" "$prefix/bin/qxcommd" \
  "$data/KM31QX-2C/KM31QX-2CUI.ini" "$data/KM31QX-2C/KM31QX-2CUI_CHT.ini" "$data/KM31QX-2C/KM31QX-2CUI_CHS.ini" \
  "$data/Module/KM31QX-2C.mds" "$prefix/share/man/man1/qxhost.1" "$prefix/share/man/man1/qxcommd.1"; do
  [[ -e $f ]] || fail "not installed: ${f#"$root"}"
done
if [[ -d $build/ui ]]; then
  for f in "$data/KM31QX-2C/KM31QX-2C_CHT.qm" "$data/KM31QX-2C/KM31QX-2C_CHS.qm"; do
    [[ -e $f ]] || fail "not installed: ${f#"$root"}"
  done
fi
"$prefix/bin/qxhost" --help | grep -q '^usage: qxhost' || fail "qxhost --help"
"$prefix/bin/qxcommd" --help | grep -q '^usage: qxcommd' || fail "qxcommd --help"
if [[ -e $build/qxconf ]]; then
  [[ -e $prefix/share/man/man1/qxconf.1 ]] || fail "not installed: qxconf.1"
  "$prefix/bin/qxconf" --version | grep -q '^qxconf ' || fail "qxconf --version"
fi

unset QX_COMMON_APPDATA
export QX_HEADLESS=1
cp -R "$source/examples/project/." "$scratch/project/"
base=$scratch/project/line1

"$prefix/bin/qxcommd" --plant "$source/examples/plant.ini" --port 0 --state "$scratch/state" \
  --ready-file "$scratch/ready" >"$scratch/qxcommd.log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true; wait $sim 2>/dev/null || true' EXIT
for ((i = 0; i < 300; i++)); do
  [[ -s $scratch/ready ]] && break
  kill -0 $sim 2>/dev/null || fail "qxcommd exited: $(cat "$scratch/qxcommd.log")"
  read -r -t 0.05 <> <(:) || true
done
port=$(cat "$scratch/ready") || fail "qxcommd did not get ready"

# The show call prepares the parameter file; the download reaches both modules.
"$prefix/bin/qxhost" show "$base" 12 0x0409 0x110 >"$scratch/show.out" 2>&1 || fail "show: $(cat "$scratch/show.out")"
grep -q "is ready in $base.qx1" "$scratch/show.out" || fail "show said: $(cat "$scratch/show.out")"
"$prefix/bin/qxhost" download "$base" 00 "$port" >"$scratch/download.out" 2>&1 ||
  fail "download: $(cat "$scratch/download.out")"
for slot in 3 8; do
  [[ -s $scratch/state/station1_rack1_slot$slot.img ]] || fail "no module image for slot $slot"
done

# Messages come from the installed text tables, in the chosen language.
mv "$base.ini" "$base.away"
"$prefix/bin/qxhost" download "$base" 00 "$port" >"$scratch/nohw.out" 2>&1 && fail "download without HW_CFG completed"
expected=$(grep '^Msg2=' "$data/KM31QX-2C/KM31QX-2CUI.ini" | tr -d '\r')
grep -qxF "KM31QX-2C: ${expected#Msg2=}" "$scratch/nohw.out" || fail "English message: $(cat "$scratch/nohw.out")"
"$prefix/bin/qxhost" show "$base" 12 0x0404 0x110 >"$scratch/cht.out" 2>&1 || true
expected=$(grep '^Msg2=' "$data/KM31QX-2C/KM31QX-2CUI_CHT.ini" | tr -d '\r')
grep -qxF "KM31QX-2C: ${expected#Msg2=}" "$scratch/cht.out" || fail "Chinese message: $(cat "$scratch/cht.out")"

rm -rf "$scratch"
echo "install test: passed"
