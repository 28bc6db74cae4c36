#!/usr/bin/env bash
# Release build of the benchmarks, then runs them. Each prints its figures as
# ratios against a reference tool measured in the same run.
#   scripts/bench.sh [card|engine|all] [extra args for the card benchmark, or
#   with "engine" for the engine benchmark: --only LETTERS, --keep FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
which=${1:-all}
shift || true

build=build-rel
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTREL_TESTS=OFF -DKESTREL_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

if [ "$which" = card ] || [ "$which" = all ]; then
  echo "== Card loading: plug-in against ffprobe"
  "$build/app/card_load_bench" "$@"
fi
if [ "$which" = engine ] || [ "$which" = all ]; then
  if [ -x "$build/app/playcore_bench" ]; then
    echo "== Playback engine against ffmpeg"
    if [ "$which" = engine ]; then "$build/app/playcore_bench" "$@"; else "$build/app/playcore_bench"; fi
  fi
fi
