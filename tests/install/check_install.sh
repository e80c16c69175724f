#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a user's machine gets: both
# programs, the starter files, the desktop entry and its icon; then a first start of the
# installed terminal chat fills a fresh per-user data folder from the starter files.
set -euo pipefail
build=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/home" "$scratch/cwd"
prefix=$scratch/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
expect() { [ -e "$prefix/$1" ] || fail "the installation lacks $1"; }

expect bin/semtra-cli
for f in Base/Words.Dat Base/W1.Dat Base/W2.Dat Base/Pause.Dat Base/Povtor.Dat Base/X.Dat \
         Base/BigString.Dat Base/Log.Semtra ReadMe.Txt \
         Sound/KeyBoard.wav Sound/Button1.wav Sound/Button2.wav Sound/Button3.wav \
         Sound/CpuSound.wav Sound/Close.wav; do
    expect "share/semtra/$f"
done
if [ -e "$build/bin/semtra" ]; then
    expect bin/semtra
    expect share/applications/semtra.desktop
    expect share/icons/hicolor/scalable/apps/semtra.svg
    expect share/icons/hicolor/256x256/apps/semtra.png
    grep -qx 'Exec=semtra' "$prefix/share/applications/semtra.desktop" || fail "the entry does not start semtra"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$prefix/share/applications/semtra.desktop"
    fi
fi

# First use: the per-user folder is created and filled, and the bot answers.
reply=$(cd "$scratch/cwd" && printf 'привет\n' |
        HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" "$prefix/bin/semtra-cli")
[ -n "$reply" ] || fail "the installed terminal chat gave no reply"
data=$scratch/home/data/semtra
for f in Base/Words.Dat ReadMe.Txt Sound/Close.wav; do
    [ -e "$data/$f" ] || fail "first use did not copy $f into $data"
done
cmp -s "$prefix/share/semtra/ReadMe.Txt" "$data/ReadMe.Txt" || fail "ReadMe.Txt differs from the starter copy"
echo "installation checked: $prefix"
