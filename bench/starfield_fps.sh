#!/usr/bin/env bash
# Runs the built program under Xvfb while the stars fly and prints its frames per second and the
# processor time of the whole process (every thread), as a share of one core.
#
#   bench/starfield_fps.sh [build folder] [seconds]     (defaults: build, 10)
set -euo pipefail

if [[ -z "${DISPLAY:-}" || "${1:-}" != --inside ]]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$@"
fi
shift
build=$(realpath "${1:-build}")
seconds=${2:-10}
program=$build/skarnholm-language-selector
counter_library=$build/bench/libframe_counter.so
[[ -x "$program" && -f "$counter_library" ]] || { echo "build first: make test" >&2; exit 1; }

work=$(mktemp -d)
pid=
trap '[[ -n "$pid" ]] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
counter=$work/frames

SKARNHOLM_FRAME_COUNTER=$counter LD_PRELOAD=$counter_library SDL_AUDIODRIVER=dummy \
  ProgramFiles=$work "$program" 2>"$work/stderr" &
pid=$!
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Skarnholm - Language Selector' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1 # past start-up

frames() { od -An -t u8 -N 8 "$counter" | tr -d ' '; }
# utime + stime of the process, every thread counted, in clock ticks
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
now() { date +%s.%N; }

frames0=$(frames) cpu0=$(cpu_ticks) time0=$(now)
sleep "$seconds"
frames1=$(frames) cpu1=$(cpu_ticks) time1=$(now)

awk -v f="$((frames1 - frames0))" -v c="$((cpu1 - cpu0))" -v hz="$(getconf CLK_TCK)" \
    -v t0="$time0" -v t1="$time1" 'BEGIN {
  t = t1 - t0
  printf "frames per second: %.1f (%d frames in %.2f s)\n", f / t, f, t
  printf "processor use of the whole process: %.1f%% of one core\n", 100 * c / hz / t
}'
