#!/usr/bin/env bash
# The autopilot plays a whole run with one asset file cut to its first 100
# bytes, in a copy of Data/ in a temporary folder; each run should clear.
#   tools/checks/broken-assets-bot.sh BUILD_DIR [Data-relative files...]
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
shift
files=("$@")
[ ${#files[@]} -gt 0 ] || files=(Sound/Explosion.wav Effect/hitBullet2.png Effect/PushAttack.gltf Texture/frame.png)
for file in "${files[@]}"; do
  dir=$(mktemp -d)
  cp -r "$build/Data" "$dir/"
  head -c 100 "$build/Data/$file" > "$dir/cut"
  mv "$dir/cut" "$dir/Data/$file"
  summary=$(cd "$dir" && "$build/halvane-dev" run --bot --seed 4242 2>/dev/null | grep '^{' | tail -1)
  rm -rf "$dir"
  echo "$file: $summary"
  [[ "$summary" == *'"cleared":true'* ]] || exit 1
done
