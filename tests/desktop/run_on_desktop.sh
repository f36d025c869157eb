#!/usr/bin/env bash
# Runs a command on a private X server whose windows openbox manages, as on
# a user's desktop: `run_on_desktop.sh <program> [arguments...]`.
set -euo pipefail

if [ -z "${ZIRS_ON_DESKTOP:-}" ]; then
  export ZIRS_ON_DESKTOP=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null || true' EXIT

# openbox manages windows once it has announced itself on the root window.
for _ in $(seq 1 200); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    break
  fi
  if ! kill -0 "$wm" 2>/dev/null; then
    echo "openbox did not start" >&2
    exit 1
  fi
  sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || {
  echo "openbox did not take over the display" >&2
  exit 1
}

export QT_QPA_PLATFORM=xcb
"$@"
