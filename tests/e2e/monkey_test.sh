#!/usr/bin/env bash
# A minute of random clicks and keys on the running program, answering its boxes and its folder
# chooser as they come (with the right folder, a wrong one, or Cancel). Afterwards the program is
# still running, the language file holds "English" or "Russian" with every other byte as before,
# and the game folder holds nothing new.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
run_in_virtual_display "$@"
seconds=${MONKEY_SECONDS:-60}
RANDOM=${MONKEY_SEED:-2013} # the same minute every run

base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
game="$base/Program Files/Skarnholm"
mkdir -p "$game" "$base/wrong" "$base/home"
before=$'; written by the game\r\n[Settings]\r\nLanguage=English\r\nSubtitles=1\r\n\r\n[Video]\r\nWidth=1920\r\n'
printf '%s' "$before" >"$game/steam_api.ini"

# The game folder is not where the program looks first: the first Save brings the chooser.
HOME="$base/home" ProgramFiles="$base/elsewhere" SDL_AUDIODRIVER=dummy "$program" &
pid=$!
window=$(wait_for_window)
readonly CHOOSER='^Select the game folder \(Skarnholm\) in the list below, then click OK\.$'

visible() {
  xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true
}

# Answers whatever the program shows; prints what it did.
answer_modals() {
  local id
  id=$(visible '^(Sucess!!!|Error!!!)$')
  if [[ -n "$id" ]]; then
    local name
    name=$(xdotool getwindowname "$id" 2>/dev/null || true)
    keys_to "$id" Return 2>/dev/null || true
    echo "box: $name"
    return
  fi
  id=$(visible "$CHOOSER")
  if [[ -n "$id" ]]; then
    # The right folder a quarter of the time, so the warnings and the chooser come round again.
    case $((RANDOM % 4)) in
      0) xdotool windowfocus --sync "$id" type --delay 5 "$game" && xdotool key Return && echo "chooser: game" ;;
      1) xdotool windowfocus --sync "$id" type --delay 5 "$base/wrong" && xdotool key Return && echo "chooser: wrong" ;;
      2) keys_to "$id" Escape && echo "chooser: cancel" ;;
      3) xdotool windowfocus --sync "$id" type --delay 5 "$base/home" && xdotool key Return && echo "chooser: home" ;;
    esac 2>/dev/null || echo "chooser: missed"
  fi
}

x0=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9]*\),.*/\1/p')
y0=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: [0-9]*,\([0-9]*\).*/\1/p')
keys=(Tab Tab Down Up space Return Escape Home End Left Right)
declare -A done_count=()
end=$((SECONDS + seconds))
while ((SECONDS < end)); do
  kill -0 "$pid" 2>/dev/null || fail "the program ended during the monkey test"
  answered=$(answer_modals)
  if [[ -n "$answered" ]]; then
    done_count[$answered]=$((${done_count[$answered]:-0} + 1))
    sleep 0.05
    continue
  fi
  if ((RANDOM % 2)); then
    # Clicks, half of them on the list and the Save button where the action is.
    if ((RANDOM % 2)); then
      x=$((RANDOM % 328)) y=$((RANDOM % 196))
    else
      x=$((89 + RANDOM % 230)) y=$((145 + RANDOM % 20))
    fi
    xdotool mousemove $((x0 + x)) $((y0 + y)) click 1 2>/dev/null || true
    done_count[click]=$((${done_count[click]:-0} + 1))
  else
    keys_to "$window" "${keys[RANDOM % ${#keys[@]}]}" 2>/dev/null || true
    done_count[key]=$((${done_count[key]:-0} + 1))
  fi
  sleep 0.02
done
for what in "${!done_count[@]}"; do echo "$what: ${done_count[$what]}"; done

kill -0 "$pid" 2>/dev/null || fail "the program ended during the monkey test"
# Close what is still open, then look at the file.
for _ in 1 2 3 4 5; do
  [[ -n "$(answer_modals)" ]] || break
  sleep 0.2
done

after=$(cat "$game/steam_api.ini"; echo x)
after=${after%x}
language=$(sed -n 's/^Language=\(.*\)\r$/\1/p' <<<"$after")
[[ "$language" == English || "$language" == Russian ]] || fail "the file holds Language='$language'"
[[ "${after/Language=$language/Language=English}" == "$before" ]] || fail "bytes besides the value changed"
leftovers=$(find "$game" -mindepth 1 ! -name steam_api.ini)
[[ -z "$leftovers" ]] || fail "new files in the game folder: $leftovers"
[[ -z "$(find "$base/wrong" -mindepth 1)" ]] || fail "something was written into the wrong folder"

"$close_window" "$window"
wait_for_exit "$pid" 2
[[ "$exit_status" == 0 ]] || fail "exit status $exit_status"
echo "PASS: the program lived through ${seconds} s of monkeying; Language=$language, nothing else changed"
