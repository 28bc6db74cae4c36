#!/usr/bin/env bash
# Installs what is missing, builds Kestrel with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test (fuzz corpora included).
set -euo pipefail
cd "$(dirname "$0")/.."
# Let ccache share objects between clones of the project in other folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
scripts/install-deps.sh --test

# Which folder may include which (docs/architecture.md), before the build;
# ctest runs the same check as doorcheck_tree.
python3 tools/doorcheck/doorcheck.py

build=build-asan
jobs=$(nproc)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DKESTREL_SANITIZE=address,undefined -DKESTREL_BENCH=ON
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600

# The playback engine's threads, once more under ThreadSanitizer.
scripts/test-tsan.sh build-tsan
