#!/usr/bin/env bash
# The built program's stars fly: two screenshots of the surface a moment apart differ, each shows
# no more lit pixels than there are stars, and some stars have grown bright. The window still
# closes at once with status 0 while they fly.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
run_in_virtual_display "$@"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts=${E2E_ARTIFACTS:-$work}

ProgramFiles=$work SDL_AUDIODRIVER=dummy "$program" 2>"$work/stderr" &
pid=$!
window=$(wait_for_window)
sleep 2 # long enough for the fastest stars to brighten

for shot in first second; do
  import -window root "$work/$shot.png"
  crop_surface "$work/$shot.png" 348 286 "$work/surface-$shot.png"
  # Around the logo, nothing but stars.
  hide_logo "$work/surface-$shot.png" "$artifacts/stars-$shot.png"
  lit=$(count_not_black "$artifacts/stars-$shot.png")
  echo "$shot: $lit lit pixels"
  (( lit > 0 )) || fail "no star on the $shot screenshot"
  (( lit <= 400 )) || fail "$lit lit pixels on the $shot screenshot: more than the 400 stars"
  sleep 0.2
done

changed=$(compare -metric AE "$artifacts/stars-first.png" "$artifacts/stars-second.png" null: 2>&1 || true)
echo "pixels changed between the screenshots: $changed"
[[ "$changed" =~ ^[0-9]+$ ]] || fail "cannot compare the screenshots: $changed"
(( changed > 0 )) || fail "the stars did not move"
bright=$(count_bright "$artifacts/stars-second.png")
echo "bright stars: $bright"
(( bright > 0 )) || fail "no star has brightened"

"$close_window" "$window"
wait_for_exit "$pid" 2
[[ "$exit_status" == 0 ]] || fail "exit status $exit_status"
echo "PASS: the stars fly; the window closed at once with status 0"
