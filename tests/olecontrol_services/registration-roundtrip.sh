#!/usr/bin/env bash
# Self-registration of the tests' server through regsvr32, read back with reg query:
# register twice, unregister twice (missing keys are fine), and the 16-bit server rule.
# Usage: registration-roundtrip.sh <folder of CorvaneTestServer.dll>
set -u
cd "$1" || exit 1
wine=${CORVANE_WINE:-/usr/lib/wine/wine64}
control='HKCR\CLSID\{6BF89182-DF70-46D2-A15A-C5E39EC1370F}'
page='HKCR\CLSID\{823F7E11-8414-4E7F-8A77-0B0832E2E556}'
progid='HKCR\Corvane.TestEventSource.1'
typelib='HKCR\TypeLib\{C1DD63C2-4ACF-4838-9997-DBE38C2206F1}\1.0'
log=regsvr32-roundtrip.log
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

# value <key> [name]: the string data of the default or named value ("<missing>" if absent)
value() {
  local out
  if [ $# -eq 1 ]; then out=$("$wine" reg query "$1" /ve 2>/dev/null </dev/null)
  else out=$("$wine" reg query "$1" /v "$2" 2>/dev/null </dev/null); fi
  [ $? -eq 0 ] || { echo "<missing>"; return; }
  printf '%s\n' "$out" | tr -d '\r' | grep 'REG_SZ' | head -1 | sed 's/.*REG_SZ    //; s/.*REG_SZ$//'
}
exists() { "$wine" reg query "$1" >/dev/null 2>&1 </dev/null; }
expect() { [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"; }
regsvr() { "$wine" regsvr32 /s "$@" CorvaneTestServer.dll >>"$log" 2>&1 </dev/null; }

: >"$log"
for round in 1 2; do
  regsvr || fail "registration $round failed"
done
expect "control name" "$(value "$control")" "Corvane Test Event Source"
expect "ProgID" "$(value "$control\\ProgID")" "Corvane.TestEventSource.1"
server=$(value "$control\\InprocServer32")
case "$server" in *[Cc][Oo][Rr][Vv]*.[Dd][Ll][Ll]) ;; *) fail "server path '$server'" ;; esac
expect "threading model" "$(value "$control\\InprocServer32" ThreadingModel)" "Apartment"
expect "toolbox bitmap" "$(value "$control\\ToolboxBitmap32")" "$server, 1"
expect "misc status" "$(value "$control\\MiscStatus")" "0"
expect "misc status 1" "$(value "$control\\MiscStatus\\1")" "131473"
expect "control key" "$(value "$control\\Control")" ""
expect "type library" "$(value "$control\\TypeLib")" "{C1DD63C2-4ACF-4838-9997-DBE38C2206F1}"
expect "version" "$(value "$control\\Version")" "1.0"
expect "ProgID name" "$(value "$progid")" "Corvane Test Event Source"
expect "ProgID class" "$(value "$progid\\CLSID")" "{6BF89182-DF70-46D2-A15A-C5E39EC1370F}"
expect "page name" "$(value "$page")" "Corvane Test Page"
expect "page server" "$(value "$page\\InprocServer32")" "$server"
expect "page threading" "$(value "$page\\InprocServer32" ThreadingModel)" "<missing>"
exists "$typelib" || fail "type library not registered"

for round in 1 2; do
  regsvr /u || fail "unregistration $round failed"
done
for key in "$control" "$page" "$progid" "$typelib"; do
  exists "$key" && fail "$key left after unregistration"
done

# A 16-bit server under the same class keeps the class key; only our entries go.
regsvr || fail "registration before the 16-bit case failed"
"$wine" reg add "$control\\InprocServer" /ve /d OLD16.DLL /f >/dev/null 2>&1 </dev/null
regsvr /u || fail "unregistration beside a 16-bit server failed"
expect "16-bit server" "$(value "$control\\InprocServer")" "OLD16.DLL"
expect "misc status kept" "$(value "$control\\MiscStatus\\1")" "131473"
exists "$control\\InprocServer32" && fail "InprocServer32 left beside the 16-bit server"
exists "$control\\ToolboxBitmap32" && fail "ToolboxBitmap32 left beside the 16-bit server"
"$wine" reg delete "$control" /f >/dev/null 2>&1 </dev/null
"$wine" reg delete "$progid" /f >/dev/null 2>&1 </dev/null

echo "DONE fails=$fails"
[ "$fails" -eq 0 ]
