#!/usr/bin/env bash
# The viewer playing a two-channel 1080p recording for a minute: CPU use and
# pictures lost on the way, against ffmpeg decoding and scaling the same two
# files to the same panel sizes at real-time pace in the same run.
#   scripts/bench-viewer.sh [SECONDS]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
scripts/install-deps.sh

seconds=${1:-60}
fps=30
build=build-rel
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTREL_TESTS=OFF -DKESTREL_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
app="$build/app"

card="$PWD/$build/viewer-bench-card"
duration=$((seconds + 15))
stamp="$card/.complete-$duration"
if [ ! -f "$stamp" ]; then
  rm -rf "$card"
  echo "== Writing a two-channel ${duration} s 1080p recording at $fps pictures per second"
  "$app/kestrel-cardgen" "$card" --seed 3 --count 1 --duration "$duration" --size 1920x1080 \
    --fps "$fps" --channels 2 --container avich >/dev/null
  touch "$stamp"
fi
mapfile -t files < <(find "$card" -name '*.avi' | sort)
[ ${#files[@]} -eq 2 ] || { echo "expected two channel files in $card" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CPU seconds (user + system) of the children a command waited for.
cpu_of() {
  ( "$@" >/dev/null 2>&1; times ) | tail -1 |
    awk '{ split($1,u,"m"); split($2,s,"m"); sub("s","",u[2]); sub("s","",s[2]);
           printf "%.3f", u[1]*60+u[2]+s[1]*60+s[2] }'
}

echo "== The viewer, 1920x1080 window, playing row 0 for $seconds s"
viewer_cpu=$(KESTREL_PLAY_STATS="$work/stats.json" cpu_of "$app/kestrel-screenshot" --card "$card" \
  --play 0 --size 1920x1080 --wait $((seconds * 1000)) -o "$work/viewer.png")
[ -s "$work/stats.json" ] || { echo "the viewer wrote no picture counters" >&2; exit 1; }

echo "== Reference: ffmpeg decoding both files and scaling them to the panel sizes, real-time pace"
ref_cpu=$(cpu_of ffmpeg -nostdin -re -t "$seconds" -i "${files[0]}" -re -t "$seconds" -i "${files[1]}" \
  -filter_complex "[0:v]scale=1280:720,format=rgb32[a];[1:v]scale=592:333,format=rgb32[b]" \
  -map "[a]" -f null - -map "[b]" -f null -)

python3 - "$work/stats.json" "$viewer_cpu" "$ref_cpu" "$seconds" "$fps" <<'EOF'
import json, sys
stats = json.load(open(sys.argv[1]))
viewer_cpu, ref_cpu = float(sys.argv[2]), float(sys.argv[3])
seconds, fps = float(sys.argv[4]), int(sys.argv[5])
played = stats.get("seconds_played", 0.0)
wait = stats.get("seconds_to_first_picture", 0.0)
print(f"played {played:.1f} s, the first picture {1000 * wait:.0f} ms after the start "
      "(start-up and loading come on top of the CPU time below)")
for ch in stats["channels"][:2]:
    # From the first picture on, one picture every 1/fps seconds.
    expected = round((played - wait) * fps) + 1
    d, p = ch["delivered"], ch["painted"]
    print(f"channel {ch['channel']}: expected {expected}, delivered {d} "
          f"(engine lost {max(0, expected - d)}), painted {p} (replaced before shown {max(0, d - p)})")
print(f"viewer CPU {viewer_cpu:.1f} s = {100 * viewer_cpu / seconds:.0f} % of one core")
print(f"ffmpeg CPU {ref_cpu:.1f} s = {100 * ref_cpu / seconds:.0f} % of one core")
print(f"ratio viewer / ffmpeg: {viewer_cpu / ref_cpu:.2f}")
EOF
