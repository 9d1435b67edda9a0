#!/usr/bin/env bash
# Registers Corvane.OCX in the prefix and runs every sample of docs/samples; each prints a last
# line "DONE fails=N" (the system's cscript exits 0 even when a script fails, so that line is
# the proof).
# Usage: run-samples.sh <scripthost.exe> <Corvane.OCX> <EarlyBound.exe> <samples folder> <clip> <work folder>
set -u
host=$1 module=$2 early=$3 samples=$4 clip=$5 work=$6
wine=${CORVANE_WINE:-/usr/lib/wine/wine64}
rm -rf "$work" && mkdir -p "$work" && cp "$samples"/*.vbs "$samples"/*.js "$work"/
cp "$host" "$work/scripthost.exe" && cp "$early" "$work/EarlyBound.exe" && cp "$clip" "$work/av.avi"
"$wine" regsvr32 /s "$module" </dev/null >"$work/regsvr32.log" 2>&1 || { echo "registration failed"; exit 1; }
fails=0

# run <label> <program and arguments>: it must exit 0 and end with "DONE fails=0".
run() {
  local label=$1 rc
  shift
  (cd "$work" && "$wine" "$@" >"$work/out.raw" 2>&1 </dev/null)
  rc=$?
  tr -d '\r' <"$work/out.raw" >"$work/out.txt"
  sed "s|^|$label: |" "$work/out.txt"
  # 64-bit Wine 8 can die of SIGSEGV (139) in its own thread teardown after the program has
  # finished; only a run that printed its whole result is let through, and it is said.
  if [ "$rc" -eq 139 ] && [ "$(tail -1 "$work/out.txt")" = "DONE fails=0" ]; then
    echo "MEASURED: $label passed, then Wine crashed while ending the process"
  else
    [ "$rc" -eq 0 ] || { echo "FAIL: $label exited $rc"; fails=$((fails + 1)); }
  fi
  [ "$(tail -1 "$work/out.txt")" = "DONE fails=0" ] || { echo "FAIL: $label"; fails=$((fails + 1)); }
}
for sample in "$samples"/*.vbs "$samples"/*.js; do
  name=$(basename "$sample")
  run "$name (scripthost)" scripthost.exe "$name"
  # Samples that place the control in a window need our host; the others run under cscript too.
  if ! grep -q 'Host\.PlaceControl' "$sample"; then
    run "$name (cscript)" cscript //nologo "$name"
    fi
done
run "EarlyBound.cpp" EarlyBound.exe "Z:${clip//\//\\}"
# Every sample in the folder must have been run: a new C++ sample needs a line above.
[ "$(ls "$samples"/*.cpp | wc -l)" -eq 1 ] || { echo "FAIL: a C++ sample is not run"; fails=$((fails + 1)); }
echo "DONE fails=$fails"
[ "$fails" -eq 0 ]
