#!/usr/bin/env bash
# Installs the Debian packages Kestrel needs to build, test and run its
# tools (--test: also what the test command needs; --package: also what
# scripts/package.sh needs). Only missing packages are installed, so running
# it again is cheap.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache git
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev
  libswresample-dev libavfilter-dev ffmpeg
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  qt6-base-dev fonts-dejavu-core
  fonts-noto-core fonts-noto-cjk
  qt6-svg-dev
  qt6-multimedia-dev
  qt6-webengine-dev
  libjs-leaflet
  scdoc
  # CPack's Debian package: dpkg-shlibdeps finds the runtime dependencies.
  dpkg-dev file
)
case "${1:-}" in
  --test)
    # python3 drives a few checks; pdftoppm draws a page of each manual; the
    # installed application's checks validate the desktop files, render the
    # manual pages and try the bash completion.
    packages+=(python3 poppler-utils desktop-file-utils appstream man-db bash-completion)
    ;;
  --package)
    packages+=(lintian)
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
