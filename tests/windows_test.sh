#!/usr/bin/env bash
# Cross-builds lossless.exe with MinGW-w64 and runs it under Wine: every end-to-end case of
# tests/data, then what only Windows users meet: file names in their own language, drive-letter
# paths, and two spellings that differ in case only (one file there).
#
# Windows opens standard output, standard error and the result file in text mode, so every LF the
# tool writes reaches the file as CR LF. The hand-written Linux expectations are compared after
# turning each LF into CR LF; no other byte may differ.
#
# Needs g++-mingw-w64-x86-64-posix, wine64 and groff (the mingw build renders the manual as text).
# Exits non-zero on any difference.
set -Eeuo pipefail
trap 'echo "$0: line $LINENO failed" >&2' ERR
cd "$(dirname "$0")/.."

cmake --preset mingw >/dev/null
cmake --build --preset mingw
exe=$PWD/build/mingw/lossless.exe
data=$PWD/tests/data

# Debian 12's wine64 package keeps its programs here; only the wine package puts them on PATH.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

work=$(mktemp -d)
# A fresh Wine prefix in the scratch folder, no debug chatter, no Mono or Gecko installer, no
# window. wineserver -k ends the Wine processes of this prefix only.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
unset DISPLAY WAYLAND_DISPLAY
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT
# Wine converts the command line and file names to UTF-16 through the locale's character set.
export LC_ALL=C.UTF-8
"$wine" wineboot --init >/dev/null 2>&1

# run <folder> <argument>...: runs lossless.exe in the folder and leaves its standard output,
# standard error and exit code there (in the files stdout, stderr and exit).
run() {
  local dir=$1 code=0
  shift
  (cd "$dir" && "$wine" "$exe" "$@" >stdout 2>stderr) || code=$?
  echo "$code" >"$dir/exit"
}

# crlf <file>: the file as Windows text mode writes it.
crlf() { sed -z 's/\n/\r\n/g' "$1"; }

checks=0 failures=0
# same <what> <expected file> <actual file>
same() {
  checks=$((checks + 1))
  if ! cmp -s "$2" "$3"; then
    echo "FAIL $1: expected, then got:"
    od -c "$2" | head -8 || true
    od -c "$3" 2>&1 | head -8 || true
    failures=$((failures + 1))
  fi
}

# The end-to-end cases, with the same expectations as on Linux.
for dir in "$data"/*/; do
  name=$(basename "$dir")
  got=$work/$name want=$work/$name/want
  mkdir -p "$want"
  cp "$dir/input" "$got/input"
  crlf "$dir/stdout" >"$want/stdout"
  if [[ -f $dir/stderr ]]; then crlf "$dir/stderr" >"$want/stderr"; else : >"$want/stderr"; fi
  if [[ -f $dir/exit ]]; then cp "$dir/exit" "$want/exit"; else echo 0 >"$want/exit"; fi
  run "$got" input result
  for file in stdout stderr exit; do same "$name $file" "$want/$file" "$got/$file"; done
  same "$name input untouched" "$dir/input" "$got/input"
  # A case without an expected result file must not create one.
  if [[ -f $dir/result ]]; then
    crlf "$dir/result" >"$want/result"
    same "$name result" "$want/result" "$got/result"
  else
    checks=$((checks + 1))
    if [[ -e $got/result ]]; then
      echo "FAIL $name: the result file was created"
      failures=$((failures + 1))
    fi
  fi
done

# Hungarian file names, relative and behind a drive letter in a Hungarian folder, with LF and with
# CR LF input.
for name in example example_crlf; do
  got=$work/names_$name want=$work/names_$name/want
  mkdir -p "$want" "$got/eredmények"
  cp "$data/$name/input" "$got/függőségek.txt"
  crlf "$data/$name/stdout" >"$want/stdout"
  crlf "$data/$name/result" >"$want/result"
  windows_dir="Z:${got//\//\\}"
  run "$got" függőségek.txt eredmény.txt
  run "$got/eredmények" "$windows_dir\\függőségek.txt" "$windows_dir\\eredmények\\eredmény.txt"
  for result in "$got/eredmény.txt" "$got/eredmények/eredmény.txt"; do
    same "$name stdout" "$want/stdout" "$(dirname "$result")/stdout"
    same "$name result" "$want/result" "$result"
  done
done

# Paths in messages come out as UTF-8.
got=$work/missing
mkdir "$got"
run "$got" hiányzó_függőségek.txt eredmény.txt
printf 'Nem sikerult megnyitni a bemeneti fajlt: hi\xc3\xa1nyz\xc3\xb3_f\xc3\xbcgg\xc5\x91s\xc3\xa9gek.txt\r\n' >"$work/want_missing"
same "missing input message" "$work/want_missing" "$got/stderr"
printf '2\n' >"$work/want_2"
same "missing input exit" "$work/want_2" "$got/exit"
checks=$((checks + 1))
if [[ -e $got/eredmény.txt ]]; then
  echo "FAIL missing input: the result file was created"
  failures=$((failures + 1))
fi

# A result name that differs from the input's in case only is the input itself on Windows.
got=$work/case
mkdir "$got"
cp "$data/example/input" "$got/függőségek.txt"
run "$got" függőségek.txt FÜGGŐSÉGEK.TXT
printf 'A bemeneti es az eredmenyfajl ugyanaz: F\xc3\x9cGG\xc5\x90S\xc3\x89GEK.TXT\r\n' >"$work/want_case"
same "same file message" "$work/want_case" "$got/stderr"
same "same file exit" "$work/want_2" "$got/exit"
same "same file input untouched" "$data/example/input" "$got/függőségek.txt"

# Too few arguments.
got=$work/usage
mkdir "$got"
run "$got"
printf 'Keves a parameter!\r\n' >"$work/want_usage"
same "usage stdout" "$work/want_usage" "$got/stdout"
printf '1\n' >"$work/want_1"
same "usage exit" "$work/want_1" "$got/exit"

echo "windows: $((checks - failures)) passed, $failures failed"
exit $((failures > 0))
