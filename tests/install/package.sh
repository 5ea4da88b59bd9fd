#!/usr/bin/env bash
# Installs the Debian package into this machine and checks the installed program: its
# dependencies, --version from /usr/bin, and the validators on the installed files. Installing
# needs root; as any other user this check is skipped. A package that was not installed
# before is removed again afterwards.
# Usage: package.sh bidbench_<version>_<arch>.deb
set -euo pipefail
deb=$(realpath "$1")
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: installing the package needs root"
    exit 0
fi
fail() { echo "FAIL: $*" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive
if ! dpkg-query -W -f='${Status}' bidbench 2> /dev/null | grep -q 'install ok installed'; then
    trap 'apt-get purge -y bidbench > /dev/null' EXIT
fi

# Found by dpkg-shlibdeps: the SVG library (whose package carries the icon engine plugin),
# the browser engine and QtKeychain; a secret store is recommended.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6svg6 libqt6webenginewidgets6 libqt6keychain1; do
    [[ $depends == *"$package "* ]] || fail "$package missing from Depends: $depends"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *"gnome-keyring | kwalletmanager"* ]] || fail "no secret store recommended"
apt-get install -y "$deb"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/bidbench --version)
[[ $version == *" $(dpkg-deb -f "$deb" Version)" ]] || fail "--version says: $version"
desktop=$(dpkg -L bidbench | grep '^/usr/share/applications/.*\.desktop$')
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$(dpkg -L bidbench | grep '^/usr/share/metainfo/.*\.xml$')"
echo "package installed and checked: $deb"
