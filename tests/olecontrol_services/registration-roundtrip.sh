#!/usr/bin/env bash
# Self-registration of a module through regsvr32, read back with reg query: register twice,
# unregister twice (missing keys are fine), and the 16-bit server rule.
# Usage: registration-roundtrip.sh <folder> <module file> <control CLSID> <page CLSID> <ProgID>
#        <LIBID> <control type name> <page type name>   (GUIDs braced, upper case)
set -u
cd "$1" || exit 1
module=$2 control_id=$3 page_id=$4 progid_name=$5 libid=$6 control_name=$7 page_name=$8
wine=${CORVANE_WINE:-/usr/lib/wine/wine64}
control="HKCR\\CLSID\\$control_id"
page="HKCR\\CLSID\\$page_id"
progid="HKCR\\$progid_name"
typelib="HKCR\\TypeLib\\$libid\\1.0"
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
regsvr() { "$wine" regsvr32 /s "$@" "$module" >>"$log" 2>&1 </dev/null; }

: >"$log"
for round in 1 2; do
  regsvr || fail "registration $round failed"
done
expect "control name" "$(value "$control")" "$control_name"
expect "ProgID" "$(value "$control\\ProgID")" "$progid_name"
server=$(value "$control\\InprocServer32")
# The short form of this folder's module file.
server_name=$(printf '%s' "${server##*\\}" | tr '[:lower:]' '[:upper:]')
module_name=$(printf '%s' "$module" | tr '[:lower:]' '[:upper:]')
case "$module_name" in "$server_name" | "${server_name%%~*}"*) ;; *) fail "server path '$server'" ;; esac
expect "threading model" "$(value "$control\\InprocServer32" ThreadingModel)" "Apartment"
expect "toolbox bitmap" "$(value "$control\\ToolboxBitmap32")" "$server, 1"
expect "misc status" "$(value "$control\\MiscStatus")" "0"
expect "misc status 1" "$(value "$control\\MiscStatus\\1")" "131473"
expect "control key" "$(value "$control\\Control")" ""
expect "type library" "$(value "$control\\TypeLib")" "$libid"
expect "version" "$(value "$control\\Version")" "1.0"
expect "ProgID name" "$(value "$progid")" "$control_name"
expect "ProgID class" "$(value "$progid\\CLSID")" "$control_id"
expect "page name" "$(value "$page")" "$page_name"
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
