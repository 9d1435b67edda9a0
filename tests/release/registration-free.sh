#!/usr/bin/env bash
# Registration-free use: with nothing of Corvane registered, a host program whose manifest
# depends on the component manifest beside it creates the control by CLSID and by ProgID, plays
# a clip to its end and saves and reloads its properties; without its manifest the same program
# finds no such class.
# Usage: registration-free.sh <folder of Corvane.OCX and its manifests> <module_tests.exe> <clip>
set -u
folder=$1 tests=$2 clip=$3
wine=${CORVANE_WINE:-/usr/lib/wine/wine64}
work="$folder/registration-free"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
rm -rf "$work" && mkdir -p "$work"
cp "$tests" "$folder/Corvane.OCX" "$folder/Corvane.X.manifest" "$work/" || exit 1
host=$(basename "$tests")
cp "$folder/SampleApplication.exe.manifest" "$work/$host.manifest" || exit 1
(cd "$folder" && "$wine" regsvr32 /s /u Corvane.OCX >/dev/null 2>&1 </dev/null)

# run <test filter> <CLSID or ProgID> [ABSENT]: the one test must pass.
run() {
  local log="$work/$2.log"
  (cd "$work" && CORVANE_DEPLOYED_NAME="$2" CORVANE_DEPLOYED_CLIP="Z:$clip" CORVANE_DEPLOYED_ABSENT="${3:-}" \
     "$wine" "$host" --gtest_filter="DeployedCorvane.$1" >"$log" 2>&1 </dev/null)
  tr -d '\r' <"$log" | grep -q '^\[  PASSED  \] 1 test' || { fail "$1 with $2"; tr -d '\r' <"$log" | grep -v '^\[ ' | tail -20; }
}
names=('{23C39A2B-5A17-40F1-A8EE-AA0191EBF607}' Corvane.CorvaneCtrl.1)
for name in "${names[@]}"; do
  run 'CreatedBy*' "$name"
done
rm "$work/$host.manifest"
for name in "${names[@]}"; do
  run 'WithoutItsManifest*' "$name" 1
done

echo "DONE fails=$fails"
[ "$fails" -eq 0 ]
