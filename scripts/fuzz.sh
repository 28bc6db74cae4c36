#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (plus ASan and UBSan) and
# runs each for SECONDS (default 120) over a scratch copy of its seed corpus.
# New inputs stay in build-fuzz/corpus/<target>; the committed seeds are not
# touched.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=${1:-120}

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKESTREL_FUZZ=ON -DKESTREL_TESTS=OFF -DKESTREL_BENCH=OFF -DKESTREL_SANITIZE=address,undefined >/dev/null

# target : seed corpus
targets=(
  "recplugin_avi_fuzz:recplugin/fuzz/corpus_avi"
  "recplugin_mp4_fuzz:recplugin/fuzz/corpus_mp4"
  "fuzz_avi_parser:uikit/avi/fuzz/corpus_avi"
  "fuzz_ini_parse:uikit/ini/fuzz/corpus"
)
names=()
for t in "${targets[@]}"; do names+=("${t%%:*}"); done
cmake --build "$build" -j "$(nproc)" --target "${names[@]}"

for t in "${targets[@]}"; do
  name=${t%%:*}
  seeds=${t#*:}
  work="$build/corpus/$name"
  mkdir -p "$work"
  echo "== $name for ${seconds}s"
  "$build/fuzz/$name" -max_total_time="$seconds" -print_final_stats=1 "$work" "$seeds" 2>&1 |
    grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::average_exec_per_sec|==.*ERROR|SUMMARY)' || true
done
