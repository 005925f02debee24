# Shared steps of the tests of the built program in a virtual X server.

# Called with the test's arguments (the program, then x11_close_window): runs the calling test
# again in a virtual X server of its own, where it sets `program` and `close_window`.
run_in_virtual_display() {
  if [[ "${1:-}" != --inside ]]; then
    # Start the search for a free display away from the usual :99, where other tools look first.
    exec xvfb-run -a -n $((200 + RANDOM % 500)) -s "-screen 0 1024x768x24" "$0" --inside "$@"
  fi
  program=$2
  close_window=$3
}

readonly CAPTION='Skarnholm - Language Selector *Multi 2*'

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Prints the id of the program's window once it is mapped; fails after 10 seconds.
wait_for_window() {
  wait_for_named_window "^Skarnholm - Language Selector \\*Multi 2\\*\$"
}

# Waits up to $2 seconds for process $1, a child of this shell, to end; sets exit_status.
wait_for_exit() {
  local pid=$1 seconds=$2
  for _ in $(seq $((seconds * 20))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      exit_status=0
      wait "$pid" || exit_status=$?
      return 0
    fi
    sleep 0.05
  done
  kill -9 "$pid" 2>/dev/null || true
  fail "the program was still running $seconds s after its window was closed"
}

# Prints the colour of pixel ($2, $3) of the PNG $1 as "r,g,b", 0 to 255 each.
pixel_at() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# Prints the id of the first visible window whose name matches the regex $1, waiting up to 10 s.
wait_for_named_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    if [[ -n "$id" ]]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no window named like '$1' within 10 s"
}

# Types keys into window $1.
keys_to() {
  local window=$1
  shift
  xdotool windowfocus --sync "$window"
  xdotool key --delay 50 "$@"
}

# The window's surface Picture1 inside its border: 318 by 95 pixels at (4 + 1, 4 + 1) of the inner
# area of the window, which sits at ($2, $3) of the screen. Cuts it out of screenshot $1 into $4.
crop_surface() {
  convert "$1" -crop "318x95+$(($2 + 5))+$(($3 + 5))" +repage "$4"
}

# Prints how many pixels of the PNG $1 are not black.
count_not_black() {
  convert "$1" -fill white +opaque black -format '%[fx:round(mean*w*h)]' info:
}

# Prints how many pixels of the PNG $1 have a component of 128 or more.
count_bright() {
  convert "$1" -channel RGB -separate -evaluate-sequence max -threshold 49.9% -format '%[fx:round(mean*w*h)]' info:
}

# The author logo on the surface: 227 by 62 pixels with its top-left corner at (46, 17) of the
# surface, centred on (160, 48).
readonly LOGO_BOX='227x62+46+17'

# Copies surface PNG $1 to $2 with the logo's box painted black, leaving only the stars around it.
hide_logo() {
  convert "$1" -fill black -draw "rectangle 46,17 272,78" "$2"
}

# Prints how many of the logo's opaque pixels (from the PNG $2) are not white on surface PNG $1.
count_logo_misses() {
  local work
  work=$(mktemp -d)
  convert "$2" -alpha extract -threshold 99.9% "$work/opaque.png"
  convert "$1" -crop "$LOGO_BOX" +repage -colorspace gray -threshold 99.9% -negate "$work/not-white.png"
  convert "$work/not-white.png" "$work/opaque.png" -compose multiply -composite \
    -format '%[fx:round(mean*w*h)]' info:
  rm -rf "$work"
}

# Prints how many pixels of the logo PNG $1 are opaque.
count_opaque() {
  convert "$1" -alpha extract -threshold 99.9% -format '%[fx:round(mean*w*h)]' info:
}
