#!/usr/bin/env bash
# The installer in a fresh 64-bit prefix, once per machine (/AllUsers) and once per user
# (/CurrentUser): the silent install registers the 32-bit module in the 32-bit registry view and
# the 64-bit module in the 64-bit view (or, per user, both under the user's classes and nothing
# of the machine's); a 64-bit and a 32-bit host each create the control by ProgID, play a clip
# to its end and save and reload its properties (per user, through the classes as Windows merges
# them, since Wine 8 reads only the machine's for creation); the silent uninstall leaves none of the keys
# and files it wrote. 32-bit programs are checked only where the kernel runs them.
# Usage: installer.sh <i686 build> <x86_64 build> <clip>
set -u
x86_build=$(cd "$1" 2>/dev/null && pwd) x64_build=$(cd "$2" && pwd) clip=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=tests/release/registry-snapshot.sh
source "$here/registry-snapshot.sh"
# shellcheck source=scripts/wine-env
source "$root/scripts/wine-env"
work="$x64_build/installer-check"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
for needed in "$x86_build/module/Corvane.OCX" "$x86_build/hosts/demo/corvane-demo.exe" \
              "$x64_build/module/Corvane.OCX" "$x64_build/hosts/demo/corvane-demo.exe"; do
  [ -f "$needed" ] || { echo "SKIPPED: the installer needs both builds ($needed is missing)"; exit 0; }
done
# A server left by an interrupted run would serve the new prefix from the deleted one.
WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
rm -rf "$work" && mkdir -p "$work"
"$root/scripts/release/assemble" "$x86_build" "$x64_build" "$work/dist" >"$work/assemble.log" 2>&1 \
  || { cat "$work/assemble.log"; echo "FAIL: assembling the kit"; exit 1; }
setup=$(ls "$work"/dist/Corvane-*-setup.exe)

# A fresh 64-bit prefix of its own (the test run's display and sound device stay).
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
wine=/usr/lib/wine/wine64
# No desktop entries outside the prefix for the Start-menu shortcuts.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null' EXIT
"$wine" wineboot -i >"$work/wineboot.log" 2>&1 </dev/null || { cat "$work/wineboot.log"; exit 1; }
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
wineserver -w
runs_32bit=yes
[ "$(wine_test_arch)" = i686 ] || runs_32bit=
[ -n "$runs_32bit" ] || echo "SKIPPED (32-bit): this kernel runs no 32-bit programs; the 32-bit regsvr32 and host are not checked"

drive="$WINEPREFIX/drive_c"
files() { (cd "$drive" && find . -path ./windows -prune -o -print | grep -v '/Temp' | sort); }
control='{23C39A2B-5A17-40F1-A8EE-AA0191EBF607}'

# host <build> <module folder inside the prefix>: the build's test program, run from a copy
# beside nothing of Corvane, creates the installed control by ProgID.
host() {
  local build=$1 loader=$2 name=$3 log="$work/$3.log"
  mkdir -p "$work/$name" && cp "$build/tests/bin/module_tests.exe" "$work/$name/" 2>/dev/null \
    || cp "$(find "$build/tests" -name module_tests.exe | head -1)" "$work/$name/"
  (cd "$work/$name" && CORVANE_DEPLOYED_NAME=Corvane.CorvaneCtrl.1 CORVANE_DEPLOYED_CLIP="Z:$clip" \
     "$loader" module_tests.exe --gtest_filter='DeployedCorvane.CreatedBy*' >"$log" 2>&1 </dev/null)
  tr -d '\r' <"$log" | grep -q '^\[  PASSED  \] 1 test' || { fail "$name"; tr -d '\r' <"$log" | grep -v '^\[ ' | tail -20; }
}

# value <key> [/reg:32]: the default value's data, or nothing.
value() {
  "$wine" reg query "$1" /ve ${2:-} 2>/dev/null </dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p' | head -1
}

for mode in AllUsers CurrentUser; do
  echo "== $mode"
  wineserver -w
  snapshot 'HKLM\Software' "$work/$mode-machine-before"
  snapshot 'HKCU\Software' "$work/$mode-user-before"
  files >"$work/$mode-files-before"

  "$wine" "$setup" /S "/$mode" </dev/null >"$work/$mode-install.log" 2>&1
  rc=$?
  wineserver -w
  expected_rc=0
  [ -n "$runs_32bit" ] || expected_rc=2   # the 32-bit regsvr32 cannot run here
  [ "$rc" -eq "$expected_rc" ] || fail "$mode install exited $rc (expected $expected_rc)"

  if [ "$mode" = AllUsers ]; then
    dir="$drive/Program Files/Corvane" classes='HKLM\Software\Classes'
  else
    dir=$(ls -d "$drive"/users/*/AppData/Local/Programs/Corvane 2>/dev/null | head -1)
    classes='HKCU\Software\Classes'
  fi
  for f in x86/Corvane.OCX x64/Corvane.OCX x64/Corvane.X.manifest x64/corvane-demo.exe include/Corvane.h \
           include/Corvane.tlb docs/README.md NOTICE.txt Uninstall.exe; do
    [ -f "$dir/$f" ] || fail "$mode: $f not installed"
  done
  server=$(value "$classes\\CLSID\\$control\\InprocServer32")
  case "$server" in *x64*) ;; *) fail "$mode: 64-bit view server '$server'" ;; esac
  if [ -n "$runs_32bit" ]; then
    server=$(value "$classes\\CLSID\\$control\\InprocServer32" /reg:32)
    case "$server" in *x86*) ;; *) fail "$mode: 32-bit view server '$server'" ;; esac
  fi
  [ -n "$(find "$drive" -path '*Start Menu/Programs/Corvane/Corvane Demo Player.lnk')" ] \
    || fail "$mode: no Start-menu entry"
  "$wine" reg query "$([ $mode = AllUsers ] && echo HKLM || echo HKCU)\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvane" \
    /v UninstallString >/dev/null 2>&1 </dev/null || fail "$mode: not in the installed programs"
  snapshot 'HKLM\Software' "$work/$mode-machine-installed"
  snapshot 'HKCU\Software' "$work/$mode-user-installed"
  files >"$work/$mode-files-installed"
  if [ "$mode" = CurrentUser ]; then
    machine=$(changes "$work/$mode-machine-before" "$work/$mode-machine-installed" | without_library_keys)
    [ -z "$machine" ] || { fail "the per-user install wrote machine entries:"; echo "$machine" | head -20; }
  fi

  # Wine reads no per-user classes for creation: the hosts see them as Windows would show them.
  [ "$mode" = AllUsers ] || show_user_classes "${corvane_classes[@]}"
  host "$x64_build" "$wine" "$mode-host64"
  [ -z "$runs_32bit" ] || host "$x86_build" /usr/lib/wine/wine "$mode-host32"
  [ "$mode" = AllUsers ] || hide_user_classes "${corvane_classes[@]}"

  "$wine" "$dir/Uninstall.exe" /S "/$mode" </dev/null >"$work/$mode-uninstall.log" 2>&1
  wineserver -w
  snapshot 'HKLM\Software' "$work/$mode-machine-after"
  snapshot 'HKCU\Software' "$work/$mode-user-after"
  files >"$work/$mode-files-after"
  # What the install wrote must be gone and what it changed must be back. Playing media makes
  # the platform cache its devices in the registry meanwhile: that is not the installer's.
  for part in machine user files; do
    before="$work/$mode-$part-before" installed="$work/$mode-$part-installed" after="$work/$mode-$part-after"
    # The user's classes key and its CLSID key are the system's own on Windows (a fresh Wine
    # prefix lacks them until something registers for a user).
    left=$(comm -12 <(comm -13 "$before" "$installed") "$after" \
           | grep -vxE '\[HKEY_CURRENT_USER\\Software\\Classes(\\Wow6432Node)?(\\CLSID)?\]')
    [ -z "$left" ] || { fail "$mode: the uninstall left $part entries the install wrote:"; echo "$left" | head -20; }
    missing=$(comm -23 <(comm -23 "$before" "$installed") "$after")
    [ -z "$missing" ] || { fail "$mode: the uninstall did not restore $part entries:"; echo "$missing" | head -20; }
    stray=$(comm -13 "$before" "$after" | grep -iE "corvane|$library_keys|23C39A2B|066E6EBB")
    [ -z "$stray" ] || { fail "$mode: Corvane $part entries after the uninstall:"; echo "$stray" | head -20; }
  done
done

echo "DONE fails=$fails"
[ "$fails" -eq 0 ]
