#!/usr/bin/env bash
# Builds the playback engine and its tests with ThreadSanitizer and runs the
# engine tests (CTest label "engine"), among them the main window's playback
# flow over the real engine and plug-in. The build folder defaults to
# build-tsan; pass another as the first argument.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-tsan}
jobs=$(nproc)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTREL_SANITIZE=thread
cmake --build "$build" -j "$jobs" --target playcore playcore_parts_test playcore_playback_test \
  playflow_engine_test kestrel_mainwnd_playback_tests kestrel_mainwnd_card_tests kestrel-cli recplugin kestrel_data

# The window's playback tests run Qt's event loop: see tsan-qt.supp. The map
# popup's web engine stays out: its browser threads are not built for the
# checker (the map is tested in the sanitizer pass of scripts/test.sh).
export KESTREL_NO_WEB_MAP=1
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan-qt.supp"
ctest --test-dir "$build" -L engine --output-on-failure -j "$jobs" --timeout 600
