#!/usr/bin/env bash
# Registers the tests' event-source server in the prefix, runs VBScript and JScript files
# through the script host, and checks their output, error reports and exit codes.
# Usage: run-scripts.sh <scripthost.exe> <folder of CorvaneTestServer.dll> <scripts folder>
set -u
host=$1 bin=$2 scripts=$3
wine=${CORVANE_WINE:-/usr/lib/wine/wine64}
work="$bin/scripthost-run"
rm -rf "$work" && mkdir -p "$work" && cp "$scripts"/* "$work"/ && cp "$host" "$work/scripthost.exe"
cd "$bin" || exit 1
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

"$wine" regsvr32 /s CorvaneTestServer.dll >"$work/regsvr32.log" 2>&1 || { echo "registration failed"; exit 1; }

# run <script> <expected exit code>: leaves stdout in $work/out.txt and stderr in $work/err.txt
run() {
  (cd "$work" && "$wine" scripthost.exe "$1" >"$work/out.txt" 2>"$work/err.txt" </dev/null)
  local rc=$?
  tr -d '\r' <"$work/out.txt" >"$work/out.clean" && mv "$work/out.clean" "$work/out.txt"
  [ "$rc" -eq "$2" ] || fail "$1 exited $rc, expected $2 (stderr: $(cat "$work/err.txt"))"
}
expect_output() {
  diff -u "$1" "$work/out.txt" >"$work/diff.txt" || fail "$2 output differs: $(cat "$work/diff.txt")"
}
expect_error_text() {
  grep -q -- "$1" "$work/err.txt" || fail "$2: stderr lacks '$1': $(cat "$work/err.txt")"
}

for script in events.vbs events.js; do
  run "$script" 0
  expect_output "$work/expected-events.txt" "$script"
  [ -s "$work/err.txt" ] && fail "$script wrote errors: $(cat "$work/err.txt")"
done

printf 'before\n' >"$work/expected-before.txt"
for script in runtime-error.vbs runtime-error.js; do
  run "$script" 1
  expect_output "$work/expected-before.txt" "$script"
  expect_error_text "$script(3, " "$script"
done

# A failing handler is reported where it failed; the firing call itself goes on.
printf 'before\nafter\n' >"$work/expected-before-after.txt"
run handler-error.vbs 1
expect_output "$work/expected-before-after.txt" handler-error.vbs
expect_error_text "handler-error.vbs(8, " handler-error.vbs
expect_error_text "the tick handler refused" handler-error.vbs

run unknown-progid.js 1
expect_output "$work/expected-before.txt" unknown-progid.js
expect_error_text "Cannot create 'Corvane.NoSuchClass.1'" unknown-progid.js

printf 'a\n' >"$work/expected-a.txt"
run quit.vbs 7
expect_output "$work/expected-a.txt" quit.vbs
[ -s "$work/err.txt" ] && fail "quit.vbs wrote errors: $(cat "$work/err.txt")"
run quit.js 5
expect_output "$work/expected-a.txt" quit.js

run no-such-file.vbs 3
"$wine" regsvr32 /u /s CorvaneTestServer.dll >>"$work/regsvr32.log" 2>&1 || fail "unregistration failed"
echo "DONE fails=$fails"
[ "$fails" -eq 0 ]
