#!/usr/bin/env bash
# Installs what is missing, builds Kestrel, writes the demo card (once) and
# runs the main job on it: list the card's recordings and write their GPS
# tracks and G-sensor readings.
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
