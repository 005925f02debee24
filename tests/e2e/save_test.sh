#!/usr/bin/env bash
# Saving from the built program, driven by the keyboard as a user would: with the language file in
# place the picked language is written and "Sucess!" shown; without it the warning and the folder
# chooser come, and cancelling writes nothing.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
run_in_virtual_display "$@"
artifacts=${E2E_ARTIFACTS:-.}

base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
mkdir -p "$base/present/Skarnholm" "$base/missing"
file="$base/present/Skarnholm/steam_api.ini"
printf '; Skarnholm settings\r\n[Settings]\r\nLanguage=English\r\nSubtitles=1\r\n' >"$file"

# The file is found: Tab to the list, pick Russian, Tab to Save, press it.
ProgramFiles="$base/present" SDL_AUDIODRIVER=dummy "$program" &
pid=$!
window=$(wait_for_window)
keys_to "$window" Tab Tab Down Tab space
box=$(wait_for_named_window '^Sucess!!!$')
sleep 0.3
import -window root "$artifacts/save-success.png"
keys_to "$box" Return
sleep 0.3
expected=$(printf '; Skarnholm settings\r\n[Settings]\r\nLanguage=Russian\r\nSubtitles=1\r\n' | od -c)
[[ "$(od -c <"$file")" == "$expected" ]] || { od -c "$file" >&2; fail "the file does not hold exactly Language=Russian"; }
"$close_window" "$window"
wait_for_exit "$pid" 2
[[ "$exit_status" == 0 ]] || fail "exit status $exit_status after saving"

# The file is missing: the warning, then the chooser, which the user cancels.
ProgramFiles="$base/missing" SDL_AUDIODRIVER=dummy "$program" &
pid=$!
window=$(wait_for_window)
keys_to "$window" Tab Tab Tab space
box=$(wait_for_named_window '^Error!!!$')
sleep 0.3
import -window root "$artifacts/save-warning.png"
keys_to "$box" Return
chooser=$(wait_for_named_window '^Select the game folder \(Skarnholm\) in the list below, then click OK\.$')
sleep 0.5
import -window root "$artifacts/save-chooser.png"
keys_to "$chooser" Escape
sleep 0.3
"$close_window" "$window"
wait_for_exit "$pid" 2
[[ "$exit_status" == 0 ]] || fail "exit status $exit_status after cancelling"
[[ -z "$(find "$base/missing" -mindepth 1)" ]] || fail "cancelling left something in the folder"
echo "PASS: saved with the keyboard; warning and chooser shown; screenshots in $artifacts"
