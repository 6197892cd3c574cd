#!/usr/bin/env bash
# Assembles the ready-to-run program folder and its zip.
set -euo pipefail
win=$1
generated=$2
dist=$3
here=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$dist"
mkdir -p "$dist/Lang" "$dist/Presets" "$dist/Sounds" "$dist/Plugins"
cp "$win/Tavix.exe" "$dist/"
cp "$here"/data/Lang/*.lng "$dist/Lang/"
cp -r "$here"/data/Presets/. "$dist/Presets/"
[ -d "$generated/Presets" ] && cp -r "$generated/Presets/." "$dist/Presets/"
[ -d "$here/data/Sounds" ] && cp -r "$here/data/Sounds/." "$dist/Sounds/"
[ -d "$generated/Sounds" ] && cp -r "$generated/Sounds/." "$dist/Sounds/"
find "$dist" -name '.gitkeep' -delete
rm -f "$dist/../Tavix.zip"
(cd "$dist/.." && zip -qr Tavix.zip "$(basename "$dist")")
echo "dist: $dist and $(dirname "$dist")/Tavix.zip"
