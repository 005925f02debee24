#!/usr/bin/env bash
# The built program's music reaches the sound card within a second of its window appearing and
# keeps coming; on a machine whose sound card cannot be opened it runs silent and says so in one
# line at most.

set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
run_in_virtual_display "$@"

base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
output=$base/output.raw

# True once the file holds a sample that is not zero.
has_sound() {
  [[ -f "$1" ]] && [[ $(tr -d '\000' <"$1" | head -c 1 | wc -c) -gt 0 ]]
}

size_of() {
  stat -c %s "$1"
}

# With SDL's disk driver, which writes what the sound card would play, at the sound card's pace.
ProgramFiles=$base SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$output "$program" 2>"$base/disk.err" &
pid=$!
window=$(wait_for_window)
for _ in $(seq 20); do
  has_sound "$output" && break
  sleep 0.05
done
has_sound "$output" || fail "no music in the output a second after the window appeared"
before=$(size_of "$output")
sleep 0.5
(($(size_of "$output") > before)) || fail "the music stopped coming"
"$close_window" "$window"
wait_for_exit "$pid" 2
[[ "$exit_status" == 0 ]] || fail "exit status $exit_status"
echo "music reached the output: $(size_of "$output") bytes"

# With ALSA and a sound card that is not there.
ProgramFiles=$base SDL_AUDIODRIVER=alsa AUDIODEV=skarnholm-no-such-card "$program" 2>"$base/alsa.err" &
pid=$!
window=$(wait_for_window)
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program did not keep running without sound"
"$close_window" "$window"
wait_for_exit "$pid" 2
[[ "$exit_status" == 0 ]] || fail "exit status $exit_status without sound"
cat "$base/alsa.err" >&2
grep -q '^ALSA lib' "$base/alsa.err" && fail "ALSA's own complaints reached the terminal"
(($(grep -ci 'sound' "$base/alsa.err") == 1)) || fail "not exactly one line about the missing sound"
echo "PASS: music within a second of the window; silent with one line when there is no sound card"
