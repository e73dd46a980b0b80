#!/usr/bin/env bash
# Runs the Windows game under Wine on a virtual X display: answers the
# full-screen question (No), clicks in the window, lets it run, takes a
# screenshot and closes it with Escape. Needs `make windows` first, and
# wine64, Xvfb, xdotool and xwd.
#   tools/windows-smoke.sh [screenshot.png] [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."

shot=${1:-build-win/smoke.png}
seconds=${2:-5}
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

(cd "$game_dir" && exec "$wine" halvane.exe) > build-win/smoke.log 2>&1 &
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
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "game window geometry: ${WIDTH}x${HEIGHT} at ($X, $Y)"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
sleep "$seconds"

xwd -root -silent > build-win/smoke.xwd
python3 tools/xwd-to-png.py build-win/smoke.xwd "$shot"
echo "screenshot: $shot"

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
