#!/usr/bin/env bash
# Measures the built program side by side with a minimal Qt window of the same size, under Xvfb,
# and prints each run, the medians, the ratios and PASS or MISS for each target:
#
#   start-up, exec to the first star-field frame on screen   at most 1.3 x the minimal window's time
#                                                           to its first paint, and under 300 ms
#   peak resident memory (VmHWM) over the first 10 s         at most 1.3 x the minimal window's
#   processor use while the stars fly and the music plays    at most 5% of one core
#   frames per second                                        at least 150
#   Save pressed with the file present, to the success box   under 20 ms
#
# The program is watched from outside by the preloaded bench/frame_counter.c; the music plays
# through SDL's disk driver into a temporary file, in real time as on a sound card, and a session
# bus of the script's own stands in for the desktop's. Everything it writes goes to a temporary
# folder. Exits non-zero only when a measurement could not be taken, never for a missed target.
#
# Start-up is taken from many short starts, the rest from a few runs of 10 s each:
#
#   bench/compare.sh [runs] [starts]    (defaults 5 and 21; BUILD_DIR chooses the build folder)
set -euo pipefail
export LC_ALL=C

repo=$(cd "$(dirname "$0")/.." && pwd)
if [[ "${1:-}" != --inside ]]; then
  build=$(realpath "${BUILD_DIR:-$repo/build}")
  [[ -f "$build/CMakeCache.txt" ]] || { echo "configure first: make build" >&2; exit 1; }
  cmake --build "$build" -j "$(nproc)" --target skarnholm-language-selector minimal_window frame_counter >/dev/null
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$build" "${1:-5}" "${2:-21}"
fi
build=$2
runs=$3
starts=$4
program=$build/skarnholm-language-selector
minimal=$build/bench/minimal_window
probe_library=$build/bench/libframe_counter.so
readonly measure_seconds=10 settle_seconds=1
# Slots of the probe file, as bench/frame_counter.c numbers them.
readonly FRAMES=0 FIRST_FRAME_SHOWN=2 FIRST_IMAGE=3 RELEASE_BEFORE_BOX=5 BOX_BUILD_START=6 BOX_BUILT=7 \
  BOX_EXEC=8 BOX_SHOWN=10

work=$(mktemp -d)
pid=
bus_pid=
cleanup() {
  if [[ -n "$pid" ]]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  [[ -n "$bus_pid" ]] && kill "$bus_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# A session bus of its own, as on a desktop: without one, Qt and SDL each fork to try to start one.
if command -v dbus-daemon >/dev/null; then
  { read -r DBUS_SESSION_BUS_ADDRESS && read -r bus_pid; } < <(dbus-daemon --session --fork --print-address=1 \
    --print-pid=1 2>/dev/null)
  export DBUS_SESSION_BUS_ADDRESS
fi
# Whatever a tool might leave in its working folder stays out of the repository.
cd "$work"

broken() {
  echo "broken measurement: $*" >&2
  exit 2
}

# $EPOCHREALTIME in nanoseconds, read without starting a process.
now_ns() {
  local time=$EPOCHREALTIME
  echo "${time/./}000"
}

# Slot $2 of probe file $1.
slot() {
  od -An -t u8 -j $(($2 * 8)) -N 8 "$1" | tr -d ' '
}

# Waits up to $3 seconds for slot $2 of probe file $1 to be set, while process $pid lives. The slot
# holds the moment itself, so looking seldom costs no precision, and leaves the processor to the
# program meanwhile.
wait_for_slot() {
  local value
  sleep "${4:-0}"
  for _ in $(seq $(($3 * 10))); do
    kill -0 "$pid" 2>/dev/null || broken "the process ended early: $(tail -n 5 "$run/stderr" 2>/dev/null)"
    value=$(slot "$1" "$2" 2>/dev/null || true)
    [[ -n "$value" && "$value" != 0 ]] && return 0
    sleep 0.1
  done
  broken "slot $2 of $1 not set within $3 s"
}

# utime + stime of process $pid, every thread counted, in clock ticks (after the command name, which
# may hold blanks).
cpu_ticks() {
  local stat
  stat=$(<"/proc/$pid/stat")
  stat=${stat##*) }
  awk '{ print $12 + $13 }' <<<"$stat"
}

peak_kib() {
  awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status"
}

ms() {
  awk -v ns="$1" 'BEGIN { printf "%.1f\n", ns / 1e6 }'
}

# Starts program $1 with the probe and the environment assignments that follow, in folder $run,
# noting the moment of the exec in $run/exec: no process is started in between.
launch() {
  local program=$1
  shift
  (
    # shellcheck disable=SC2163 # "$@" holds NAME=value assignments, not names
    export SKARNHOLM_FRAME_COUNTER="$run/probe" LD_PRELOAD="$probe_library" "$@"
    now_ns >"$run/exec"
    exec "$program" 2>>"$run/stderr"
  ) &
  pid=$!
}

stop() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
}

# Sleeps until $1 seconds after the nanosecond time $2.
sleep_until() {
  local left
  left=$(awk -v t="$2" -v s="$1" -v n="$(now_ns)" 'BEGIN { d = (t - n) / 1e9 + s; printf "%.3f", (d > 0 ? d : 0) }')
  sleep "$left"
}

# Starts the program ("ours") or the minimal window in a fresh folder $run, with a language file for
# ours, and waits for its first frame on screen (ours) or its first paint (minimal); sets exec_ns
# and startup_ns.
start() {
  local kind=$1 shown_slot
  mkdir -p "$run/programs/Skarnholm"
  if [[ $kind == ours ]]; then
    # Russian in the file, English in the list: Save really writes.
    printf '; Skarnholm settings\r\n[Settings]\r\nLanguage=Russian\r\nSubtitles=1\r\n' \
      >"$run/programs/Skarnholm/steam_api.ini"
    launch "$program" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$run/audio.raw" ProgramFiles="$run/programs"
    shown_slot=$FIRST_FRAME_SHOWN
  else
    launch "$minimal"
    shown_slot=$FIRST_IMAGE
  fi
  wait_for_slot "$run/probe" "$shown_slot" 10 0.4
  exec_ns=$(<"$run/exec")
  startup_ns=$(($(slot "$run/probe" "$shown_slot") - exec_ns))
}

# One run of 10 s and more; appends a line of figures to $work/<kind>: peak KiB, CPU %, and for
# ours frames per second and the Save figures.
measure() {
  local kind=$1
  run=$work/$kind-run-$2
  start "$kind"
  sleep_until "$settle_seconds" "$exec_ns"
  local frames0 cpu0 time0 frames1 cpu1 time1 peak
  frames0=$(slot "$run/probe" $FRAMES) cpu0=$(cpu_ticks) time0=$(now_ns)
  sleep "$measure_seconds"
  frames1=$(slot "$run/probe" $FRAMES) cpu1=$(cpu_ticks) time1=$(now_ns)
  peak=$(peak_kib)
  local figures
  figures=$(awk -v c=$((cpu1 - cpu0)) -v hz="$(getconf CLK_TCK)" -v t=$((time1 - time0)) -v p="$peak" \
    'BEGIN { printf "%d %.2f", p, 100 * c / hz / (t / 1e9) }')
  if [[ $kind == ours ]]; then
    [[ $((frames1 - frames0)) -gt 0 ]] || broken "no frame counted: is the probe in front of the refresh?"
    [[ -s "$run/audio.raw" ]] || broken "no music reached the audio file"
    figures+=" $(awk -v f=$((frames1 - frames0)) -v t=$((time1 - time0)) 'BEGIN { printf "%.1f", f / (t / 1e9) }')"
    figures+=" $(press_save)"
  fi
  stop
  echo "$figures" >>"$work/$kind"
}

# Presses Save with the keyboard (Tab Tab Tab moves the focus Picture1, Picture2, list, Save) and
# prints: the program's own time from the space key's release reaching it to the success box's first
# image handed to the X server; the same from just before xdotool is started; and the inside time
# split into the save before the box, the box's construction, and exec to the box's first image.
press_save() {
  local window
  window=$(xdotool search --onlyvisible --name '^Skarnholm - Language Selector' | head -n 1)
  [[ -n "$window" ]] || broken "the program's window was not found"
  timeout 10 xdotool windowfocus --sync "$window" || broken "the program's window would not take the focus"
  xdotool key --delay 50 Tab Tab Tab
  sleep 0.3
  local key_ns
  key_ns=$(now_ns)
  xdotool key space
  wait_for_slot "$run/probe" $BOX_SHOWN 5 0.2
  xdotool search --onlyvisible --name '^Sucess!!!$' >/dev/null || broken "the box shown is not the success box"
  grep -q $'^Language=English\r$' "$run/programs/Skarnholm/steam_api.ini" || broken "Save did not write the file"
  local release built_start built exec shown
  release=$(slot "$run/probe" $RELEASE_BEFORE_BOX)
  built_start=$(slot "$run/probe" $BOX_BUILD_START)
  built=$(slot "$run/probe" $BOX_BUILT)
  exec=$(slot "$run/probe" $BOX_EXEC)
  shown=$(slot "$run/probe" $BOX_SHOWN)
  ((release > key_ns && release <= built_start)) || broken "the key release was not seen before the box"
  echo "$(ms $((shown - release))) $(ms $((shown - key_ns))) $(ms $((built_start - release)))" \
    "$(ms $((built - built_start))) $(ms $((shown - exec)))"
}

# Busy and total clock ticks of all the machine's processors so far.
machine_ticks() {
  awk '/^cpu / { print $2 + $3 + $4 + $7 + $8 + $9, $2 + $3 + $4 + $5 + $6 + $7 + $8 + $9 }' /proc/stat
}

# Median of column $2 of file $1.
median() {
  awk -v c="$2" '{ print $c }' "$1" | sort -g | awk '{ v[NR] = $1 } END {
    if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

for tool in xdotool od awk; do
  command -v "$tool" >/dev/null || broken "$tool is missing"
done
[[ -x "$program" && -x "$minimal" && -f "$probe_library" ]] || broken "not built: $program, $minimal, $probe_library"

# One start of each, not counted, so that every counted one finds the libraries in the page cache.
for kind in ours minimal; do
  run=$work/$kind-warm-up
  start "$kind"
  stop
done

echo "Under Xvfb${DBUS_SESSION_BUS_ADDRESS:+ with a session bus}; $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p')"
read -r busy0 total0 < <(machine_ticks)
echo
echo "start-up, ms: $starts starts each, alternating (minimal window to its first paint, ours to the first star-field frame)"
for n in $(seq "$starts"); do
  for kind in minimal ours; do
    run=$work/$kind-start-$n
    start "$kind"
    stop
    ms "$startup_ns" >>"$work/$kind-startup"
  done
done
printf '%-8s %s\n' minimal "$(tr '\n' ' ' <"$work/minimal-startup")" ours "$(tr '\n' ' ' <"$work/ours-startup")"

echo
echo "$runs runs of $measure_seconds s each, alternating, measured from $settle_seconds s after the exec"
printf '%-12s %9s %7s %7s %9s %9s   %s\n' run peak CPU fps save save+key "(save split: write, box built, exec to shown)"
printf '%-12s %9s %7s %7s %9s %9s\n' "" MiB "%" "" ms ms
for n in $(seq "$runs"); do
  for kind in minimal ours; do
    measure "$kind" "$n"
    tail -n 1 "$work/$kind" | awk -v r="$kind $n" '{
      printf "%-12s %9.1f %7.2f", r, $1 / 1024, $2
      if (NF > 2) printf " %7.1f %9.1f %9.1f   (%.1f, %.1f, %.1f)", $3, $4, $5, $6, $7, $8
      else printf " %7s", "-"
      printf "\n" }'
  done
done

read -r busy1 total1 < <(machine_ticks)
# The two programs, Xvfb and this script take a few percent; much more means other work shared
# the processors, and start-up above all then measures the sharing.
awk -v b=$((busy1 - busy0)) -v t=$((total1 - total0)) 'BEGIN {
  share = 100 * b / t
  printf "\nthe machine was %.0f%% busy meanwhile, all processors and processes counted\n", share
  if (share > 25) print "WARNING: other work shared the machine: the figures are not those of an idle one" }'

echo
echo "medians"
awk -v seconds="$measure_seconds" \
  -v start="$(median "$work/ours-startup" 1)" -v start_floor="$(median "$work/minimal-startup" 1)" \
  -v peak="$(median "$work/ours" 1)" -v peak_floor="$(median "$work/minimal" 1)" \
  -v cpu="$(median "$work/ours" 2)" -v cpu_floor="$(median "$work/minimal" 2)" \
  -v fps="$(median "$work/ours" 3)" \
  -v save="$(median "$work/ours" 4)" -v save_outside="$(median "$work/ours" 5)" \
  -v save_write="$(median "$work/ours" 6)" -v save_build="$(median "$work/ours" 7)" \
  -v save_show="$(median "$work/ours" 8)" '
function verdict(ok) { return ok ? "PASS" : "MISS" }
BEGIN {
  printf "%s start-up: %.1f ms to the first star-field frame on screen; minimal window %.1f ms to its first paint: %.2fx (target <= 1.3x and < 300 ms)\n",
    verdict(start <= 1.3 * start_floor && start < 300), start, start_floor, start / start_floor
  printf "%s peak resident memory: %.1f MiB; minimal window %.1f MiB: %.2fx (target <= 1.3x)\n",
    verdict(peak <= 1.3 * peak_floor), peak / 1024, peak_floor / 1024, peak / peak_floor
  printf "%s processor use with the stars and the music: %.2f%% of one core over %d s (target <= 5%%; minimal window, idle: %.2f%%)\n",
    verdict(cpu <= 5), cpu, seconds, cpu_floor
  printf "%s frames per second: %.1f (target >= 150)\n", verdict(fps >= 150), fps
  printf "%s Save: %.1f ms from the key release reaching the program to the success box on screen (target < 20 ms)\n",
    verdict(save < 20), save
  printf "     split: %.1f ms reading and writing the file, %.1f ms building the box, %.1f ms from exec to its first image\n",
    save_write, save_build, save_show
  printf "     %.1f ms when counted from just before xdotool starts (adds xdotool and the X server)\n", save_outside
}'
