#!/usr/bin/env bash
# Compiles the locales the separator tests read into DIR (used as LOCPATH), without touching
# the system's own locales.
set -eu
dir=$1
mkdir -p "$dir"
for l in fr_FR de_CH; do
  # localedef warns (exit 1) on harmless points of these sources; the compiled files are what count.
  localedef -i "$l" -f UTF-8 "$dir/$l.UTF-8" 2>/dev/null || true
  [ -f "$dir/$l.UTF-8/LC_NUMERIC" ] || { echo "localedef n'a pas pu compiler $l.UTF-8" >&2; exit 1; }
done
touch "$dir/.fait"
