#!/bin/sh
# The real game started where there is no display must say so and stop,
# instead of running unseen (SDL would fall back to a driver that draws
# nowhere). Run with and without an explicit request for that driver.
game="$1"
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
for driver in "" offscreen dummy; do
    if [ -n "$driver" ]; then chosen="SDL_VIDEODRIVER=$driver"; else chosen="-u SDL_VIDEODRIVER"; fi
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY $chosen TARNWICK_DATA_DIR="$data" \
          SDL_AUDIODRIVER=dummy timeout 20 "$game" 2>&1)
    status=$?
    if [ "$status" -ne 1 ]; then
        echo "driver '$driver': status $status, expected 1: $out"
        exit 1
    fi
    case "$out" in
        *"Cannot open the display"*) ;;
        *) echo "driver '$driver': no clear message: $out"; exit 1 ;;
    esac
done
echo "refused cleanly"
