#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed program: its files and
# their validators, its command line, and where a first start with a fresh HOME writes.
# Usage: prefix.sh BUILD_DIR "TITLE VERSION"
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; wait; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > /dev/null
desktop=$(ls "$prefix"/share/applications/*.desktop)
id=$(basename "$desktop" .desktop)
for file in bin/bidbench share/bidbench/help/Bidbench_help.htm share/metainfo/$id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$id.svg; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for size in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    file "$png" | grep -q "PNG image data, $size x $size" || fail "no $size px icon"
done
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" > /dev/null

# No display is needed to ask for the version, and an address it cannot open is refused.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/bidbench" --version)" = "$version" ] \
    || fail "--version"
status=0
"$prefix/bin/bidbench" ftp://127.0.0.1/ 2> /dev/null || status=$?
[ "$status" -eq 2 ] || fail "ftp address gave exit status $status"

# A first start as a user would: fresh HOME, welcome screen off, and lists that an earlier
# build left beside the executable; the data folder already has its own Bidders.txt.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
       XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/runtime
data=$XDG_DATA_HOME/bidbench
mkdir -p "$XDG_CONFIG_HOME/bidbench" "$XDG_RUNTIME_DIR" "$data"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[Settings]\nStartScreen=N\n' > "$XDG_CONFIG_HOME/bidbench/Talvex Bidbench.ini"
printf 'old seller\r\n' > "$prefix/bin/Sellers.txt"
printf 'old bidder\r\n' > "$prefix/bin/Bidders.txt"
printf 'kept\r\n' > "$data/Bidders.txt"
installed=$(cd "$prefix" && find . -exec stat -c '%n %s %Y' {} + | sort)
# The web proxy is a closed loopback port: nothing leaves 127.0.0.1.
QT_QPA_PLATFORM=offscreen http_proxy=http://127.0.0.1:9 https_proxy=http://127.0.0.1:9 "$prefix/bin/bidbench" &
pid=$!
for _ in $(seq 600); do
    [ -f "$data/PleaseWait.html" ] && break
    kill -0 "$pid" 2> /dev/null || fail "the program ended"
    sleep 0.1
done
[ -f "$data/PleaseWait.html" ] || fail "no PleaseWait.html in the data folder"
[ "$(cat "$data/Sellers.txt")" = $'old seller\r' ] || fail "Sellers.txt not carried over"
[ "$(cat "$data/Bidders.txt")" = $'kept\r' ] || fail "the data folder's Bidders.txt overwritten"
[ "$(cd "$prefix" && find . -exec stat -c '%n %s %Y' {} + | sort)" = "$installed" ] \
    || fail "the program wrote into the installed tree"
echo "installed program checked in $prefix"
