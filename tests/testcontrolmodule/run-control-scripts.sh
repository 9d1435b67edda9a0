#!/usr/bin/env bash
# Registers a control module in the prefix and drives its control from VBScript and JScript
# through our script host, and from the system's cscript. Each script ends with a
# "DONE fails=N" line, the only proof of success cscript gives.
# Usage: run-control-scripts.sh <scripthost.exe> <module folder> <module file> <scripts folder>
#        [files the scripts use...]
# The scripts folder holds control.vbs, control.js and late-bound.vbs, and may hold names.js
# (run through our script host too); the scripts run in a work folder that also holds the files
# given.
set -u
host=$1 bin=$2 module=$3 scripts=$4
shift 4
wine=${CORVANE_WINE:-/usr/lib/wine/wine64}
work="$bin/control-scripts"
rm -rf "$work" && mkdir -p "$work" && cp "$host" "$work/scripthost.exe" || exit 1
[ $# -eq 0 ] || cp "$@" "$work"/ || exit 1
# The scripts of each language share their check routines.
checks="$(dirname "${BASH_SOURCE[0]}")/scripts"
for script in control.vbs late-bound.vbs control.js names.js; do
  [ -f "$scripts/$script" ] || continue
  cat "$scripts/$script" "$checks/checks.${script##*.}" >"$work/$script"
done
cd "$bin" || exit 1
"$wine" regsvr32 /s "$module" </dev/null >"$work/regsvr32.log" 2>&1 || { echo "registration failed"; exit 1; }
fails=0

# run <script> <program> [arguments]: the script must exit 0 and end with "DONE fails=0".
run() {
  local script=$1 rc
  shift
  (cd "$work" && "$wine" "$@" "$script" >"$work/out.raw" 2>&1 </dev/null)
  rc=$?
  tr -d '\r' <"$work/out.raw" >"$work/out.txt"
  sed "s|^|$script: |" "$work/out.txt"
  # 64-bit Wine 8 can die of SIGSEGV (139) in its own thread teardown after the program has
  # finished; only a run that printed its whole result is let through, and it is said.
  if [ "$rc" -eq 139 ] && [ "$(tail -1 "$work/out.txt")" = "DONE fails=0" ]; then
    echo "MEASURED: $script passed, then Wine crashed while ending the process"
  else
    [ "$rc" -eq 0 ] || { echo "FAIL: $script exited $rc"; fails=$((fails + 1)); }
  fi
  [ "$(tail -1 "$work/out.txt")" = "DONE fails=0" ] || { echo "FAIL: $script"; fails=$((fails + 1)); }
}
run control.vbs scripthost.exe
run control.js scripthost.exe
run late-bound.vbs cscript //nologo
[ -f "$work/names.js" ] && run names.js scripthost.exe
echo "DONE fails=$fails"
[ "$fails" -eq 0 ]
