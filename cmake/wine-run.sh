#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest. Wine's helper processes must not inherit
# ctest's pipes (ctest would wait for them), so stderr goes to a file that is replayed after.
err=$(mktemp)
"${CORVANE_WINE:-wine}" "$@" 2>"$err" </dev/null
rc=$?
cat "$err" >&2
rm -f "$err"
exit $rc
