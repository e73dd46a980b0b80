#!/bin/sh
# Starts Halvane from its installed or merely unpacked tree. The game reads
# Data/ from its working directory, so it is started inside its data folder.
# Both are found from this script's own place, PREFIX/games/halvane: the game
# is PREFIX/lib/games/halvane/halvane, its data PREFIX/share/games/halvane/Data.
#
#   halvane [ARGUMENT...]      start the game with the arguments
#   halvane --launcher-check   say where the game and its data are, start nothing
set -eu

self=$(readlink -f -- "$0")
prefix=$(dirname -- "$(dirname -- "$self")")
game="$prefix/lib/games/halvane/halvane"
home="$prefix/share/games/halvane"

fail() {
  echo "halvane: $*" >&2
  exit 1
}

[ -f "$game" ] && [ -x "$game" ] || fail "the game is missing: $game"
[ -d "$home/Data" ] || fail "the game's data is missing: $home/Data"

if [ "${1-}" = "--launcher-check" ]; then
  echo "game: $game"
  echo "data: $home/Data"
  exit 0
fi

cd "$home"
exec "$game" "$@"
