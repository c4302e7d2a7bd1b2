#!/usr/bin/env bash
# The share of one core the real game uses on a virtual X display, from the
# kernel's count of its user and system time.
#   tools/perf/cpu_share.sh title|flight [BINARY] [SECONDS] [SCREEN]
# title: the animated title screen. flight: "Start game", "Start Mission",
# then Space tapped (60 ms in every 560) so that the ship flies on.
set -euo pipefail
mode=${1:?title or flight}
binary=$(realpath "${2:-build/bin/tarnwick}")
seconds=${3:-20}
screen=${4:-1024x768x24}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
xvfb-run -a -s "-screen 0 $screen" bash -s "$mode" "$binary" "$seconds" <<'INNER'
mode=$1 binary=$2 seconds=$3
"$binary" & pid=$!
trap 'kill $pid 2>/dev/null' EXIT
sleep 5
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
if [ "$mode" = flight ]; then
    wid=$(xdotool search --sync --pid "$pid" --name Tarnwick | head -1)
    xdotool mousemove --window "$wid" 305 216 click 1; sleep 1
    xdotool mousemove --window "$wid" 320 436 click 1; sleep 1
fi
before=$(ticks)
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
    if [ "$mode" = flight ]; then
        xdotool keydown space; sleep 0.06; xdotool keyup space; sleep 0.5
    else
        sleep 1
    fi
done
after=$(ticks)
awk -v m="$mode" -v t=$((after - before)) -v s="$seconds" -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "%s: %.2f %% of one core\n", m, 100 * t / (s * hz) }'
INNER
