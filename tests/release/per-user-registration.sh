#!/usr/bin/env bash
# regsvr32 /n /i:user: Corvane registered for the current user only. The registration writes
# under HKCU\Software\Classes and nothing else of the machine's than what the platform's per-user
# type-library call writes (Wine 8's writes machine-wide); a host then creates the control by
# ProgID, plays a clip to its end and saves and reloads its properties (Wine 8 does not read the
# user's classes for creation: the host sees them as Windows' merged view would, copied to the
# machine's for the moment); the removal leaves the user's classes as they were.
# Usage: per-user-registration.sh <folder of Corvane.OCX> <module_tests.exe> <clip>
set -u
folder=$1 tests=$2 clip=$3
wine=${CORVANE_WINE:-/usr/lib/wine/wine64}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/release/registry-snapshot.sh
source "$here/registry-snapshot.sh"
work="$folder/per-user-registration"
rm -rf "$work" && mkdir -p "$work"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
regsvr() { (cd "$folder" && "$wine" regsvr32 /s "$@" Corvane.OCX >>"$work/regsvr32.log" 2>&1 </dev/null); }

# The machine-wide registration of other tests is gone, so the host can only use this one.
regsvr /u
# Windows always has the user's class keys; a fresh Wine prefix makes them on first use.
"$wine" reg add 'HKCU\Software\Classes\CLSID' /f >/dev/null 2>&1 </dev/null
snapshot 'HKLM\Software' "$work/machine-before"
snapshot 'HKCU\Software\Classes' "$work/user-before"
regsvr /n /i:user || fail "regsvr32 /n /i:user failed"
snapshot 'HKLM\Software' "$work/machine-registered"
snapshot 'HKCU\Software\Classes' "$work/user-registered"

machine=$(changes "$work/machine-before" "$work/machine-registered")
if printf '%s\n' "$machine" | grep -qiE "$library_keys"; then
  echo "MEASURED: the per-user type-library registration wrote the library machine-wide"
fi
machine=$(printf '%s\n' "$machine" | without_library_keys)
[ -z "$machine" ] || { fail "the per-user registration wrote machine entries:"; echo "$machine" | head -20; }
user=$(changes "$work/user-before" "$work/user-registered")
for expected in '{23C39A2B-5A17-40F1-A8EE-AA0191EBF607}\InprocServer32]' \
                '{066E6EBB-9B8D-48CD-AFC5-3D127BEB5861}\InprocServer32]' \
                'Classes\Corvane.CorvaneCtrl.1\CLSID]'; do
  printf '%s\n' "$user" | grep -qiF "$expected" || fail "no user entry ending $expected"
done

show_user_classes "${corvane_classes[@]}"
(cd "$(dirname "$tests")" && CORVANE_DEPLOYED_NAME=Corvane.CorvaneCtrl.1 CORVANE_DEPLOYED_CLIP="Z:$clip" \
   "$wine" "$(basename "$tests")" --gtest_filter='DeployedCorvane.CreatedBy*' >"$work/host.log" 2>&1 </dev/null)
tr -d '\r' <"$work/host.log" | grep -q '^\[  PASSED  \] 1 test' || { fail "the host with the per-user class"; tr -d '\r' <"$work/host.log" | grep -v '^\[ ' | tail -20; }

hide_user_classes "${corvane_classes[@]}"

regsvr /u /n /i:user || fail "regsvr32 /u /n /i:user failed"
snapshot 'HKCU\Software\Classes' "$work/user-after"
left=$(changes "$work/user-before" "$work/user-after")
[ -z "$left" ] || { fail "the removal left the user's classes changed:"; echo "$left" | head -20; }

echo "DONE fails=$fails"
[ "$fails" -eq 0 ]
