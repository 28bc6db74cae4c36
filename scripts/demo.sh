#!/usr/bin/env bash
# Installs what is missing, builds Kestrel, writes the demo card (once) and
# runs the main job on it: lists the card's recordings, writes their GPS
# tracks and G-sensor readings, and opens the viewer on the card playing the
# first recording. Without a desktop (no DISPLAY or WAYLAND_DISPLAY) the
# viewer runs offscreen and leaves pictures of its window instead.
set -euo pipefail
cd "$(dirname "$0")/.."
# Let ccache share objects between clones of the project in other folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
scripts/install-deps.sh

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_TESTS=OFF -DKESTREL_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

app="$build/app"
card="$build/democard"
if [ ! -f "$card/.complete" ]; then
  rm -rf "$card"
  "$app/kestrel-cardgen" "$card" --seed 7 --count 8 --duration 20 --size 640x360 --fps 15 \
    --container avich --nested --damaged
  touch "$card/.complete"
fi

echo
echo "== Recordings on the demo card ($card)"
"$app/kestrel-cli" scan "$card"
"$app/kestrel-cli" gps "$card" --format gpx -o "$build/democard-tracks.gpx"
"$app/kestrel-cli" gps "$card" --format kml -o "$build/democard-tracks.kml"
"$app/kestrel-cli" gsensor "$card" -o "$build/democard-gsensor.csv"
echo
echo "GPS tracks:       $build/democard-tracks.gpx and $build/democard-tracks.kml"
echo "G-sensor samples: $build/democard-gsensor.csv ($(($(wc -l < "$build/democard-gsensor.csv") - 1)) rows)"

echo
echo "== The viewer on the demo card"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Close the viewer window to finish."
  "$app/kestrel" --play 0 "$card"
else
  for shot in "1920x1080 0" "1280x720 1"; do
    set -- $shot
    "$app/kestrel-screenshot" --card "$card" --play "$2" --wait 3000 --size "$1" -o "$build/demo-viewer-$1.png"
  done
  "$app/kestrel-screenshot" --card "$card" --play 0 --wait 3000 --size 1920x1080 --full \
    -o "$build/demo-viewer-fullscreen.png"
  echo "No desktop here: the viewer played the card offscreen; pictures of its window are"
  echo "$build/demo-viewer-1920x1080.png, $build/demo-viewer-1280x720.png and $build/demo-viewer-fullscreen.png"
fi
