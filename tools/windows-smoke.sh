#!/usr/bin/env bash
# Runs the Windows game under Wine on a virtual X display: answers the
# full-screen question (No), waits for the title's frames, takes a
# screenshot, clicks to start, lets the game run, takes another screenshot
# and closes the game with Escape. Needs `make windows` first, and wine64,
# Xvfb, xdotool and xwd.
#   tools/windows-smoke.sh [output folder] [frames in the game] [game options...]
# Captures are at render scale 1 unless the options fix another
# (--render-scale 0.5).
# The folder gets title.png and game.png (the game window; *-screen.png the
# whole screen), the game's own
# captures frame-00000.png, -00005 and -00007 (the title) and one of the
# game scene, and smoke.log. Frames, not seconds: on llvmpipe a frame may
# take seconds, and the title's fade alone is 100 of them. The run fails
# unless the last capture shows the game scene: it must differ from the
# title's frame 5 over at least half of its pixels.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-build-win/smoke}
in_game=${2:-120}
shift $(($# < 2 ? $# : 2))
# The click lands about frame 6; the fade then takes 100 frames and the game
# scene loads on the last of them.
game_frame=$((5 + 110 + in_game))
game_png=$(printf "frame-%05d.png" "$game_frame")
game_dir=build-win/package/Halvane
[ -x "$game_dir/halvane.exe" ] || [ -f "$game_dir/halvane.exe" ] || { echo "no $game_dir/halvane.exe: run make windows" >&2; exit 1; }

wine=$(command -v wine64 || command -v wine || true)
[ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
[ -n "$wine" ] || { echo "wine64 is missing (apt-get install wine64)" >&2; exit 1; }
for tool in Xvfb xdotool xwd python3; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (xvfb, xdotool, x11-apps)" >&2; exit 1; }
done

export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/halvane-wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=${HALVANE_WINE_OVERRIDES:+;$HALVANE_WINE_OVERRIDES}"  # no Mono or Gecko prompts

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1600x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  DISPLAY=$display "$(dirname "$wine")/wineserver" -k 2>/dev/null || wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
sleep 1

# A fresh prefix takes a while to set up; do it before the clock starts.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "creating the Wine prefix $WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1 || true
fi

# Waits up to $2 seconds for a visible window whose title is $1; prints its id.
wait_window() {
  for _ in $(seq 1 $(($2 * 4))); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.25
  done
  return 1
}

mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -f "$out"/frame-*.png
# The game's captures, through Wine's drive for the Unix root.
export HALVANE_CAPTURE="Z:${out}:0,5,7,${game_frame}"
(cd "$game_dir" && exec "$wine" halvane.exe "$@") > "$out/smoke.log" 2>&1 &
game=$!

question=$(wait_window "確認" 60) || { echo "the full-screen question never appeared" >&2; exit 1; }
echo "question box: window $question"
# Wine takes only real input (XTEST), not events sent to a window: click the
# box's caption to focus it, then Return picks the default button, No.
eval "$(xdotool getwindowgeometry --shell "$question")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 5)) click 1
sleep 0.5
xdotool key Return

for _ in $(seq 1 40); do
  xdotool search --onlyvisible --name "確認" >/dev/null 2>&1 || break
  sleep 0.25
done
xdotool search --onlyvisible --name "確認" >/dev/null 2>&1 && { echo "the question was not answered" >&2; exit 1; }
window=$(wait_window "Halvane  ver.0.9.7" 30) || { echo "the game window never appeared" >&2; exit 1; }
echo "game window: $window"
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "game window geometry: ${WIDTH}x${HEIGHT} at ($X, $Y)"

# Waits up to $2 seconds for the game's capture $1 while the game runs.
wait_frame() {
  for _ in $(seq 1 $(($2 * 4))); do
    [ -f "$out/$1" ] && return 0
    kill -0 "$game" 2>/dev/null || { echo "the game ended before $1" >&2; exit 1; }
    sleep 0.25
  done
  echo "no $1 within $2 seconds" >&2
  exit 1
}

# The title loads before its first frame; on llvmpipe frames are slow.
wait_frame frame-00005.png 240
echo "title frames captured"
# The game window on its own, and the whole screen. Read through the root,
# Wine's Direct3D output comes out garbled (its GL surface has a visual of
# its own); the window's own dump is what the player sees.
shoot() {
  xwd -id "$window" -silent > "$out/screen.xwd"
  python3 tools/xwd-to-png.py "$out/screen.xwd" "$1.png"
  xwd -root -silent > "$out/screen.xwd"
  python3 tools/xwd-to-png.py "$out/screen.xwd" "$1-screen.png"
  rm -f "$out/screen.xwd"
  echo "screenshots: $1.png, $1-screen.png"
}
shoot "$out/title"

# An instant click, as a player's: the game latches a press it did not see
# held, however long its frames take.
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
wait_frame frame-00007.png 240
echo "clicked; waiting for frame $game_frame"
wait_frame "$game_png" 1800
shoot "$out/game"

# A click that was lost leaves the title on screen: the capture must show the game.
if ! difference=$(python3 tools/capture-difference.py "$out/frame-00005.png" "$out/$game_png" 0.5); then
  echo "frame $game_frame still looks like the title (${difference:-?} of its pixels differ): the game never started" >&2
  exit 1
fi
echo "frame $game_frame shows the game ($difference of its pixels differ from the title's)"

xdotool key Escape
for _ in $(seq 1 40); do
  kill -0 "$game" 2>/dev/null || break
  sleep 0.25
done
if kill -0 "$game" 2>/dev/null; then
  echo "the game did not end after Escape" >&2
  exit 1
fi
wait "$game" && status=0 || status=$?
game=""
echo "the game ended with status $status"
exit "$status"
