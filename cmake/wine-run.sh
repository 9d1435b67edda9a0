#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest. Wine's helper processes must not inherit
# ctest's pipes (ctest would wait for them), so output goes to files that are replayed after.
# A program that failed without printing anything never started (a rare Wine start-up
# failure on a busy machine): it is started once more, and that is said on stderr.
out=$(mktemp)
err=$(mktemp)
for attempt in 1 2; do
  "${CORVANE_WINE:-wine}" "$@" >"$out" 2>"$err" </dev/null
  rc=$?
  if [ "$rc" -eq 0 ] || [ -s "$out" ] || [ "$attempt" -eq 2 ]; then break; fi
  echo "wine-run: $1 exited $rc without output; starting it again" >&2
  cat "$err" >&2
done
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $rc
