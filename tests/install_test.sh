#!/usr/bin/env bash
# What a user gets from an installation. `install` installs the build into a temporary prefix;
# `deb` builds the Debian package, checks its control fields and the version in every place, and
# unpacks it; either way the compressed manual page must sit in share/man/man1/. `zip` builds the
# Windows download from a mingw build, checks its file list and unzips it, and runs lossless.exe
# there under Wine (wine64), with nothing beside it but the download's own files. In every mode
# the installed lossless must print the hand-written trace and result file of a lossless and a
# lossy case; on Windows with CR LF line ends, as its text mode writes them.
# Usage: install_test.sh install|deb|zip <build dir> <tests/data>
set -euo pipefail
trap 'echo "$0: line $LINENO failed" >&2' ERR
mode=$1 build=$2 data=$3
repo=$data/../..
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
line_ends=cat

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
    [[ $(grep -m1 '^## \[' "$repo/CHANGELOG.md") == "## [$version]"* ]]
    ;;
  zip)
    cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
    zip=$(echo "$work"/lossless-*-win64.zip)
    unzip -q "$zip" -d "$work/unzipped"
    folder=$work/unzipped/$(basename "$zip" .zip)
    diff <(cd "$folder" && find . -type f | sort) - <<'LIST'
./CHANGELOG.md
./LICENSE
./README.md
./README.txt
./examples/decomposition.txt
./examples/five_schemes.txt
./examples/lossy.txt
./examples/pelda.txt
./lossless.exe
./lossless.html
./lossless.txt
LIST
    # The manual was rendered whole: its last line names the download's version.
    version=${zip##*/lossless-} version=${version%-win64.zip}
    [[ $(tail -n 1 "$folder/lossless.txt") == *"lossless $version"* ]]
    # The texts for Windows readers are ASCII with CR LF line ends, so that Notepad and type show
    # them in any code page; README.txt names no file that the download lacks, besides the ones
    # its commands write.
    for text in README.txt lossless.txt; do
      LC_ALL=C grep -q '[^[:print:][:space:]]' "$folder/$text" && { echo "$text: not ASCII" >&2; exit 1; }
      [[ $(grep -c $'\r$' "$folder/$text") == $(wc -l <"$folder/$text") ]]
    done
    grep -q "lossless-$version-win64" "$folder/README.txt"
    for named in $(grep -oE '[[:alnum:]_\\]+\.(txt|html|exe|md)' "$folder/README.txt" | sort -u); do
      [[ $named == eredmeny.txt || $named == trace.txt || -f $folder/${named//\\//} ||
         -f $folder/examples/$named ]] || { echo "README.txt names $named" >&2; false; }
    done

    # A fresh Wine prefix, as in windows_test.sh; wineserver -k ends this prefix's processes only.
    wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
    wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
    export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
    unset DISPLAY WAYLAND_DISPLAY
    trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT
    "$wine" wineboot --init >/dev/null 2>&1
    line_ends() { sed -z 's/\n/\r\n/g' "$1"; }
    line_ends=line_ends lossless=("$wine" "$folder/lossless.exe") run_in=$folder
    ;;
  *)
    echo "unknown mode: $mode" >&2
    exit 2
    ;;
esac

if [[ $mode != zip ]]; then
  gzip -dc "$prefix/share/man/man1/lossless.1.gz" | cmp - "$repo/doc/lossless.1"
  lossless=("$prefix/bin/lossless") run_in=$work
fi
for case_ in example lossy; do
  cp "$data/$case_/input" "$run_in/input.txt"
  (cd "$run_in" && "${lossless[@]}" input.txt result.txt >stdout)
  cmp "$run_in/stdout" <("$line_ends" "$data/$case_/stdout")
  cmp "$run_in/result.txt" <("$line_ends" "$data/$case_/result")
done
