#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks that it holds what an
# installation needs and names the libraries it runs on.
set -euo pipefail
build=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch"

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch" >/dev/null
deb=$(ls "$scratch"/semtra_*_*.deb) || fail "cpack wrote no package"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/semtra ./usr/bin/semtra-cli ./usr/share/applications/semtra.desktop \
         ./usr/share/icons/hicolor/scalable/apps/semtra.svg ./usr/share/semtra/Base/Words.Dat \
         ./usr/share/semtra/ReadMe.Txt ./usr/share/semtra/Sound/Close.wav; do
    grep -qx "$f" <<<"$contents" || fail "the package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6multimedia6; do
    grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib: $depends"
done
echo "package checked: $deb"
