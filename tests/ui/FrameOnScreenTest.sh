#!/bin/sh
# The whole window, its window manager's frame and title bar included, starts
# on a 1600x1000 screen at every scale factor: an X server with openbox frames
# it, and the frame's extents are read back from the server.
# Usage: FrameOnScreenTest.sh OVANTIS
set -u
app=$1
for tool in Xvfb openbox xprop xwininfo xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
display=":$((50 + $$ % 400))"
pids=""
cleanup() { for p in $pids; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
pids="$!"
export DISPLAY="$display"
# Polls a command for up to thirty seconds: the first window waits for its
# fonts to be cached afresh, which takes long on a loaded machine.
until_true() {
  i=0
  while ! eval "$1" >/dev/null 2>&1; do
    i=$((i + 1)); [ "$i" -le 300 ] || return 1; sleep 0.1
  done
}
until_true "xprop -root" || { echo "no X server on $display"; exit 1; }
openbox >/dev/null 2>&1 &
pids="$pids $!"
until_true "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window" || { echo "openbox did not start"; exit 1; }

status=0
for scale in 1 1.5 1.8 2; do
  HOME="$work" XDG_CONFIG_HOME="$work" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$app" >/dev/null 2>&1 &
  app_pid=$!
  until_true "xdotool search --onlyvisible --pid $app_pid" || { echo "scale $scale: no window"; status=1; kill $app_pid; continue; }
  win=$(xdotool search --onlyvisible --pid $app_pid | head -1)
  until_true "xprop -id $win _NET_FRAME_EXTENTS | grep -q =" ||
    { echo "scale $scale: never framed"; status=1; kill $app_pid; continue; }
  # The window moves once framed, later on a loaded machine: read it once it
  # has kept still for a second.
  last="" still=0 i=0
  while [ "$still" -lt 4 ] && [ "$i" -lt 40 ]; do
    sleep 0.25; i=$((i + 1))
    now="$(xprop -id "$win" _NET_FRAME_EXTENTS) $(xwininfo -id "$win" | grep -E 'Absolute|Width|Height')"
    if [ "$now" = "$last" ]; then still=$((still + 1)); else still=0 last="$now"; fi
  done
  extents=$(xprop -id "$win" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  set -- $extents
  left=$1 right=$2 top=$3 bottom=$4
  x=$(xwininfo -id "$win" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$win" | sed -n 's/.*Absolute upper-left Y: *//p')
  w=$(xwininfo -id "$win" | sed -n 's/^ *Width: *//p')
  h=$(xwininfo -id "$win" | sed -n 's/^ *Height: *//p')
  frame="$((x - left)),$((y - top)) $((w + left + right))x$((h + top + bottom))"
  if [ $((x - left)) -lt 0 ] || [ $((y - top)) -lt 0 ] ||
     [ $((x + w + right)) -gt 1600 ] || [ $((y + h + bottom)) -gt 1000 ]; then
    echo "scale $scale: the frame at $frame leaves the 1600x1000 screen"; status=1
  else
    echo "scale $scale: frame at $frame"
  fi
  kill $app_pid; wait $app_pid 2>/dev/null
done
exit $status
