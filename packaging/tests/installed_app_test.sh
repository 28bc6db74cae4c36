#!/usr/bin/env bash
# The installed application on its own: packs the build as the Debian
# package (or installs it into a scratch prefix when the packaging tools are
# missing), unpacks it into a scratch root, hides the source and build
# folders, and from the scratch root runs every program's --help and
# --version, writes a card with kestrel-cardgen, lists it with kestrel-cli,
# starts the viewer on it and checks that nothing in the root changed.
#   installed_app_test.sh BUILD SOURCE VERSION APP_ID HAS_MANPAGES
# Exit 77 (skipped) when the folders cannot be hidden on this machine.
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# ---------------------------------------------------------------------------
# Second half: runs inside a mount namespace where SOURCE and BUILD are empty.
if [ "${1:-}" = --hidden ]; then
  shift
  root=$1 work=$2 version=$3 app_id=$4 has_manpages=$5 source=$6 build=$7
  [ ! -e "$source/CMakeLists.txt" ] && [ ! -e "$build/CMakeCache.txt" ] || fail "the source and build folders are not hidden"
  bin=$root/usr/bin
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
  export XDG_RUNTIME_DIR=$work/run
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" && mkdir -m 700 -p "$XDG_RUNTIME_DIR"
  unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

  # Every program answers --help and --version without a display.
  for program in kestrel kestrel-cli kestrel-cardgen; do
    [ -L "$bin/$program" ] || fail "$bin/$program is not a link into the application folder"
    out=$("$bin/$program" --version) || fail "$program --version exited with $?"
    [ "$out" = "$program $version" ] || fail "$program --version printed '$out', expected '$program $version'"
    out=$("$bin/$program" --help) || fail "$program --help exited with $?"
    grep -q "^Usage: $program" <<<"$out" || fail "$program --help shows no usage line"
    grep -qi "exit" <<<"$out" || fail "$program --help names no exit status"
  done
  set +e
  "$bin/kestrel-cli" --no-such-option >/dev/null 2>&1
  [ $? -eq 2 ] || fail "kestrel-cli: an unknown option is not a usage error (2)"
  QT_QPA_PLATFORM=offscreen "$bin/kestrel" --no-such-option >/dev/null 2>&1
  [ $? -eq 1 ] || fail "kestrel: an unknown option does not end with status 1"
  set -e

  # A card written and listed by the installed programs.
  card=$work/card
  "$bin/kestrel-cardgen" "$card" --seed 5 --count 3 --duration 2 --size 160x90 --fps 5 \
    --channels 2 --container avich >/dev/null || fail "kestrel-cardgen could not write a card"
  listing=$("$bin/kestrel-cli" scan "$card") || fail "kestrel-cli scan exited with $?"
  rows=$(grep -cE '^ +[0-9]+  ' <<<"$listing" || true)
  [ "$rows" -eq 3 ] || fail "kestrel-cli scan listed $rows recordings, expected 3:"$'\n'"$listing"

  # The viewer starts on the card from the scratch root and loads it without
  # a message box; it may write only under the scratch home.
  export QT_QPA_PLATFORM=offscreen KESTREL_AUTOCLOSE_MS=1500 KESTREL_MESSAGEBOX_LOG=$work/boxes.log
  "$bin/kestrel" "$card" 2>"$work/viewer.err" || { cat "$work/viewer.err" >&2; fail "kestrel exited with $?"; }
  [ ! -s "$work/boxes.log" ] || fail "the viewer showed message boxes: $(cat "$work/boxes.log")"
  [ -f "$XDG_DATA_HOME/Kestrel/ViewerSet.ini" ] || fail "the viewer kept no settings under XDG_DATA_HOME"
  unset QT_QPA_PLATFORM KESTREL_AUTOCLOSE_MS KESTREL_MESSAGEBOX_LOG

  # Manual pages render without warnings and carry the version.
  if [ "$has_manpages" = ON ]; then
    for program in kestrel kestrel-cli kestrel-cardgen; do
      page=$root/usr/share/man/man1/$program.1.gz
      [ -f "$page" ] || fail "no manual page $page"
      if command -v man >/dev/null; then
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >"$work/page.txt") ||
          fail "man could not render $page"
        [ -z "$warnings" ] || fail "$page: $warnings"
        grep -q "$version" "$work/page.txt" || fail "$page does not carry version $version"
      fi
    done
  fi

  # Bash completion offers the commands, then the chosen command's options.
  completion=$root/usr/share/bash-completion/completions/kestrel-cli
  [ -f "$completion" ] || fail "no bash completion installed"
  if [ -f /usr/share/bash-completion/bash_completion ]; then
    got=$(bash -c '
      source /usr/share/bash-completion/bash_completion
      source "$1"
      complete_words() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
                         COMPREPLY=(); _kestrel_cli; echo "${COMPREPLY[*]}"; }
      complete_words kestrel-cli g
      complete_words kestrel-cli gps /tmp --f
      complete_words kestrel-cli gps --format ""' _ "$completion")
    expected=$'gps gsensor\n--format\ngpx kml'
    [ "$got" = "$expected" ] || fail "bash completion offered:"$'\n'"$got"$'\n'"expected:"$'\n'"$expected"
  fi

  for f in "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
           "usr/share/icons/hicolor/scalable/apps/$app_id.svg" usr/share/doc/kestrel/copyright \
           usr/share/doc/kestrel/changelog.gz; do
    [ -f "$root/$f" ] || fail "not installed: /$f"
  done
  # A map page uses the system's script library through a link, not a copy.
  for page in "$root"/usr/lib/kestrel/language/*/map.html; do
    [ -e "$page" ] || continue
    leaflet=$(dirname "$page")/leaflet
    [ -L "$leaflet" ] || fail "$leaflet is not a link to the system's Leaflet"
    case $(realpath -m "$leaflet") in
      */usr/share/javascript/leaflet) ;;
      *) fail "$leaflet points to $(readlink "$leaflet")" ;;
    esac
  done
  exit 0
fi

# ---------------------------------------------------------------------------
# First half: pack or install, unpack, then hide the folders and run the rest.
[ $# -eq 5 ] || { echo "usage: $0 BUILD SOURCE VERSION APP_ID HAS_MANPAGES" >&2; exit 2; }
build=$(cd "$1" && pwd -P) source=$(cd "$2" && pwd -P) version=$3 app_id=$4 has_manpages=$5
work=$(mktemp -d /tmp/kestrel-installed.XXXXXX)
trap 'rm -rf "$work"' EXIT
root=$work/root

if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null; then
  # gzip: this package is thrown away, so it is packed the fast way.
  cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip \
    >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
  deb=$(find "$work/pkg" -maxdepth 1 -name "kestrel_${version}_*.deb")
  [ -n "$deb" ] || fail "no kestrel_${version}_*.deb was written"
  dpkg-deb -x "$deb" "$root"
  fields=$(dpkg-deb -f "$deb" Depends Installed-Size)
  echo "$fields" | sed "s/^/package: /"
  for dep in libqt6widgets6 libavformat libjs-leaflet libqt6svg6; do
    grep -q "$dep" <<<"$fields" || fail "the package does not depend on $dep"
  done
else
  echo "packaging tools missing: installing into a scratch prefix instead"
  cmake --install "$build" --prefix "$root/usr" >/dev/null
fi

snapshot() { (cd "$root" && find . -printf '%p %y %s %m %T@\n' | sort); }
snapshot >"$work/before"
cp "$0" "$work/hidden.sh"

# The source and build folders become empty mounts; a file looked up there
# is not found. Outside the namespace nothing changes, so other tests of the
# same build keep running.
hide="mount -t tmpfs none \"\$1\""
if [ "${build#"$source"/}" = "$build" ]; then
  hide+=" && mount -t tmpfs none \"\$2\""
fi
if ! unshare --user --map-root-user --mount true 2>/dev/null; then
  echo "cannot make a mount namespace here: the installed programs are not checked" >&2
  exit 77
fi
unshare --user --map-root-user --mount bash -c "$hide && shift 2 && exec bash \"\$@\"" _ \
  "$source" "$build" "$work/hidden.sh" --hidden "$root" "$work" "$version" "$app_id" "$has_manpages" \
  "$source" "$build"

snapshot >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "running the programs changed the installed tree"
echo "installed application checked in $root"
