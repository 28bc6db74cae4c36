#!/usr/bin/env bash
# The load popup on a generated 1,000-recording card against `kestrel-cli
# scan` of the same card in the same run, and the largest gap of a 10 ms
# timer on the user-interface thread while it loads. Both sides run from the
# sanitizer build of the test command, so the ratio compares like with like.
#   scripts/bench-load.sh
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
scripts/install-deps.sh --test

build=build-asan
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTREL_SANITIZE=address,undefined >/dev/null
cmake --build "$build" -j "$(nproc)" --target kestrel_mainwnd_card_tests kestrel-cli recplugin kestrel_data >/dev/null
KESTREL_BENCH_LOAD=1 TZ=Europe/Berlin "$build/tests/kestrel_mainwnd_card_tests" \
  --gtest_filter='LargeCard.TheLoadPopupKeepsPace*' 2>&1 | grep -E "load popup|OK|FAILED|Failure|Expected|Which is"
