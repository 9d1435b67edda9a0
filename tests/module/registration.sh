#!/usr/bin/env bash
# Corvane.OCX's self-registration through regsvr32, read back with reg query (the shared round
# trip), and its property page's ProgID, which names a class factory only.
# Usage: registration.sh <folder of Corvane.OCX>
set -u
folder=$1
wine=${CORVANE_WINE:-/usr/lib/wine/wine64}
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

bash "$(dirname "${BASH_SOURCE[0]}")/../olecontrol_services/registration-roundtrip.sh" "$folder" Corvane.OCX \
  '{23C39A2B-5A17-40F1-A8EE-AA0191EBF607}' '{066E6EBB-9B8D-48CD-AFC5-3D127BEB5861}' Corvane.CorvaneCtrl.1 \
  '{B145199E-AB4F-4744-905C-98B73F11FF70}' "Corvane Control" "Corvane Property Page" || fail "registration round trip"

cd "$folder" && "$wine" regsvr32 /s Corvane.OCX >/dev/null 2>&1 </dev/null || fail "registration"
"$wine" reg query 'HKCR\Corvane.CorvanePropPage.1' >/dev/null 2>&1 </dev/null && fail "the page's ProgID was registered"
"$wine" regsvr32 /s /u Corvane.OCX >/dev/null 2>&1 </dev/null || fail "unregistration"

echo "DONE fails=$fails"
[ "$fails" -eq 0 ]
