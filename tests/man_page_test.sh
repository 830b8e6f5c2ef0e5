#!/usr/bin/env bash
# The manual page must render without a single groff warning (groff exits 0 even when it warns),
# and must be plain ASCII: groff reads it as Latin-1, so a UTF-8 "ü" would silently come out as
# two wrong characters. Accented letters are written as escapes such as \[:u].
set -euo pipefail
if LC_ALL=C grep -n '[^[:print:][:space:]]' "$1" >&2; then
  echo "$1: non-ASCII bytes on the lines above" >&2
  exit 1
fi
warnings=$(groff -man -Tutf8 -ww -z "$1" 2>&1)
if [[ -n $warnings ]]; then
  echo "$warnings" >&2
  exit 1
fi
