#!/usr/bin/env bash
# Builds the Release application with Debian's hardening flags and packs it
# as build-release/kestrel_<version>_amd64.deb (runtime dependencies found by
# dpkg-shlibdeps plus those loaded at run time), then checks the package with
# lintian, which must report no errors, and runs kestrel-cli and kestrel from
# the unpacked package while the build folder is renamed. Prints the
# installed size and the time taken.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
scripts/install-deps.sh --package

build=build-release
# Every hardening Debian offers: fortified functions, stack protector,
# read-only relocations bound at start. Passed on each run, so a folder
# configured earlier gets them too.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTREL_TESTS=OFF -DKESTREL_BENCH=OFF \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" \
  -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" -j "$(nproc)"

rm -f "$build"/kestrel_*.deb
(cd "$build" && cpack >/dev/null)
deb=$(find "$build" -maxdepth 1 -name 'kestrel_*_amd64.deb')
[ -n "$deb" ] || { echo "no package was written" >&2; exit 1; }

echo "== lintian"
lintian --fail-on error "$deb" || { echo "lintian found errors" >&2; exit 1; }

echo "== The unpacked package with $build renamed"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"; if [ -d "$build.renamed" ]; then mv "$build.renamed" "$build"; fi' EXIT
dpkg-deb -x "$deb" "$scratch/root"
mv "$build" "$build.renamed"
"$scratch/root/usr/bin/kestrel-cardgen" "$scratch/card" --count 2 --container avich >/dev/null
"$scratch/root/usr/bin/kestrel-cli" scan "$scratch/card"
"$scratch/root/usr/bin/kestrel" --version
mv "$build.renamed" "$build"

echo "== $deb"
dpkg-deb -f "$deb" Package Version Installed-Size Depends Recommends
echo "package file: $(du -k "$deb" | cut -f1) KiB; took $(( $(date +%s) - started )) s"
