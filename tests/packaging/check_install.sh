#!/usr/bin/env bash
# Installs the program into a scratch prefix, validates its desktop entry and metainfo, and
# makes the Debian package and checks what it holds and needs.
# Usage: check_install.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
for file in bin/veskar share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/16x16/apps/$id.png \
            share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png; do
    [ -s "$scratch/usr/$file" ] || { echo "not installed: $file"; exit 1; }
done
desktop-file-validate "$scratch/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$scratch/usr/share/metainfo/$id.metainfo.xml"
grep -q "<release version=\"$version\"" "$scratch/usr/share/metainfo/$id.metainfo.xml"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
deb=$(ls "$scratch"/package/veskar_"$version"_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6svg6 libqt6network6 libcurl4 fonts-ipafont-gothic; do
    [[ $depends == *$needed* ]] || { echo "the package does not depend on $needed: $depends"; exit 1; }
done
contents=$(dpkg-deb -c "$deb")
for file in usr/bin/veskar usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml; do
    grep -q "\./$file\$" <<<"$contents" || { echo "the package lacks $file"; exit 1; }
done
echo "installed files, desktop entry, metainfo and package $(basename "$deb") are in order"
