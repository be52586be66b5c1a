#!/bin/sh
# Ctrl-C reaches ovantis-cli.exe as Wine passes SIGINT on: the console's Ctrl-C
# event. A stopped batch ends with status 130 within a second, keeps the old
# file and leaves no temporary file behind.
# Usage: StopWin.sh OVANTIS-CLI.EXE EMULATOR [ARG...]
set -u
cli=$1
shift
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
cd "$dir" && echo old > out.txt
"$@" "$cli" string --length 2147483647 -n 1 -o out.txt &
pid=$!
# The run is under way once its temporary file is there.
tries=0
until ls -A | grep -q '^\.ovantis-'; do
  tries=$((tries + 1))
  [ $tries -le 300 ] || { echo "no temporary file"; kill -KILL $pid; exit 1; }
  sleep 0.1
done
kill -INT $pid
tries=0
while kill -0 $pid 2>/dev/null; do
  tries=$((tries + 1))
  [ $tries -le 10 ] || { echo "still running a second after Ctrl-C"; kill -KILL $pid; exit 1; }
  sleep 0.1
done
wait $pid
status=$?
left=$(ls -A)
[ $status = 130 ] && [ "$(cat out.txt)" = old ] && [ "$left" = out.txt ] && exit 0
echo "status $status, out.txt: $(head -c 20 out.txt), folder: $left"
exit 1
