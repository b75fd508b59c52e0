#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, unpacks it into a scratch root and checks that the
# programs, the desktop entries and the icon are there and its dependencies are declared.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" > "$scratch/cpack.log") || { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/*.deb)
dpkg -x "$deb" "$scratch/root"

status=0
for file in usr/bin/ledcube usr/bin/ledcube-sim usr/bin/ledcube-play \
            usr/share/applications/ledcube.desktop usr/share/applications/ledcube-play.desktop \
            usr/share/icons/hicolor/32x32/apps/ledcube.png; do
    [ -s "$scratch/root/$file" ] || { echo "missing from the package: /$file"; status=1; }
done
[ -x "$scratch/root/usr/bin/ledcube" ] || { echo "/usr/bin/ledcube is not executable"; status=1; }
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libsimavr2 gcc-avr avr-libc; do
    [[ "$depends" == *"$package"* ]] || { echo "Depends lacks $package: $depends"; status=1; }
done
grep -q '^Exec=ledcube$' "$scratch/root/usr/share/applications/ledcube.desktop" || {
    echo "the desktop entry does not start ledcube"; status=1; }
grep -q '^Name=LED cube player$' "$scratch/root/usr/share/applications/ledcube-play.desktop" || {
    echo "the player's desktop entry is not named LED cube player"; status=1; }
if command -v desktop-file-validate > /dev/null; then
    for entry in "$scratch"/root/usr/share/applications/*.desktop; do
        desktop-file-validate "$entry" || status=1
    done
fi
[ $status -eq 0 ] && echo "package $(basename "$deb") holds the editor, ledcube-sim, ledcube-play, the desktop entries and the icon"
exit $status
