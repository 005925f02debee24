#!/usr/bin/env bash
# The built program opens its window centred, 328 by 196 inside, shows the stored language, and
# ends at once with status 0 when its window is closed.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
run_in_virtual_display "$@"

base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
mkdir "$base/Skarnholm"
printf '[Settings]\r\nLanguage=Russian\r\n' >"$base/Skarnholm/steam_api.ini"

ProgramFiles=$base SDL_AUDIODRIVER=dummy "$program" &
pid=$!
window=$(wait_for_window)
sleep 0.5

geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry"
grep -q 'Geometry: 328x196' <<<"$geometry" || fail "inner size is not 328x196"
grep -q 'Position: 348,286' <<<"$geometry" || fail "window is not centred on the 1024x768 screen"

screenshot=${E2E_ARTIFACTS:-.}/window.png
import -window root "$screenshot"
# The surface shows the white logo in its middle, every opaque pixel of it in place, and around
# it nothing but stars, one pixel each; the panel under it is not black.
surface=${E2E_ARTIFACTS:-.}/window-surface.png
crop_surface "$screenshot" 348 286 "$surface"
logo=$here/../../resources/logo.png
misses=$(count_logo_misses "$surface" "$logo")
(( misses == 0 )) || fail "$misses of the logo's $(count_opaque "$logo") opaque pixels are not white at $LOGO_BOX"
hide_logo "$surface" "$surface.stars.png"
lit=$(count_not_black "$surface.stars.png")
(( lit <= 400 )) || fail "$lit pixels around the logo are not black: more than its 400 stars"
panel=$(pixel_at "$screenshot" $((348 + 4 + 300)) $((286 + 104 + 70)))
[[ "$panel" != "0,0,0" ]] || fail "the panel is as black as the surface"

"$close_window" "$window"
wait_for_exit "$pid" 2
[[ "$exit_status" == 0 ]] || fail "exit status $exit_status"
echo "PASS: window shown and closed, exit status 0; screenshot in $screenshot"
