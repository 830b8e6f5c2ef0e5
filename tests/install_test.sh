#!/usr/bin/env bash
# What a user gets from an installation. `install` installs the build into a temporary prefix;
# `deb` builds the Debian package, checks its control fields and the version in every place, and
# unpacks it. Either way the compressed manual page must sit in share/man/man1/ and the installed
# lossless must print the hand-written trace and result file of a lossless and a lossy case.
# Usage: install_test.sh install|deb <build dir> <tests/data>
set -euo pipefail
trap 'echo "$0: line $LINENO failed" >&2' ERR
mode=$1 build=$2 data=$3
source=$data/../..
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $mode in
  install)
    cmake --install "$build" --prefix "$work/root" >/dev/null
    prefix=$work/root
    ;;
  deb)
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
    deb=$(echo "$work"/lossless_*.deb)
    field() { dpkg-deb --field "$deb" "$1"; }
    [[ $(field Package) == lossless ]]
    [[ $(field Architecture) == "$(dpkg --print-architecture)" ]]
    [[ -n $(field Version) && -n $(field Maintainer) && -n $(field Description) ]]
    # The binary needs the C++ runtime, so the package has to say so.
    [[ $(field Depends) == *libstdc++6* ]]
    dpkg-deb -x "$deb" "$work/root"
    prefix=$work/root/usr
    # Every place that names the version names the package's.
    version=$(field Version)
    [[ $(gzip -dc "$prefix/share/doc/lossless/changelog.gz") == "lossless ($version) "* ]]
    [[ $(gzip -dc "$prefix/share/man/man1/lossless.1.gz") == *"\"lossless $version\""* ]]
    [[ $(grep -m1 '^## \[' "$source/CHANGELOG.md") == "## [$version]"* ]]
    ;;
  *)
    echo "unknown mode: $mode" >&2
    exit 2
    ;;
esac

gzip -dc "$prefix/share/man/man1/lossless.1.gz" | cmp - "$source/doc/lossless.1"
for case_ in example lossy; do
  "$prefix/bin/lossless" "$data/$case_/input" "$work/result" >"$work/stdout"
  cmp "$work/stdout" "$data/$case_/stdout"
  cmp "$work/result" "$data/$case_/result"
done
