#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Inside the virtual display and its session bus: the accessibility bus, the
# window with the example, and the Python driver. Run by .ci/accessibility/run.
set -euo pipefail
quenby=$1
output=$2
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
"$quenby" --rules examples/hartley.rules examples/hartley.txt &
window=$!
status=0
/usr/bin/python3 .ci/accessibility/session.py "$output" || status=$?
# The driver quits through the menu; a window still open then is ended.
for _ in $(seq 50); do
  kill -0 "$window" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$window" 2>/dev/null; then
  echo "accessibility: the window did not close" >&2
  kill "$window"
  status=1
fi
wait "$window" || status=$?
kill "$bus" 2>/dev/null || true
exit "$status"
