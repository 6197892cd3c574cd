#!/usr/bin/env bash
# Assembles the ready-to-run program folder and, beside it, its zip (whose top
# folder is named Tavix). The programs in it are stripped; their symbols stay in
# <windows build>/symbols.
#   tools/make_dist.sh <windows build> <generated data> <dist folder> [zip path]
set -euo pipefail
win=$1
generated=$2
dist=$3
zipfile=$(realpath -m "${4:-$(dirname "$dist")/Tavix.zip}")
here=$(cd "$(dirname "$0")/.." && pwd)
objcopy=${TAVIX_OBJCOPY:-x86_64-w64-mingw32-objcopy}
symbols="$win/symbols"

# Ships a program without its symbols and debug sections; they are kept in
# <windows build>/symbols/<name>.debug, which the stripped file names for a debugger.
ship() {
    local name
    name=$(basename "$1")
    "$objcopy" --only-keep-debug "$1" "$symbols/$name.debug"
    "$objcopy" --strip-all --add-gnu-debuglink="$symbols/$name.debug" "$1" "$2/$name"
}

rm -rf "$dist" "$symbols"
mkdir -p "$dist/Lang" "$dist/Presets" "$dist/Sounds" "$dist/Plugins" "$dist/SDK" "$symbols"
ship "$win/Tavix.exe" "$dist"
# The plug-ins we ship, and beside them what it takes to write another.
for dll in "$win"/plugins/*.dll; do
    ship "$dll" "$dist/Plugins"
done
cp "$here"/sdk/tavix_plugin.h "$here"/sdk/README.md "$dist/SDK/"
cp "$here"/data/Lang/*.lng "$dist/Lang/"
cp -r "$here"/data/Presets/. "$dist/Presets/"
[ -d "$generated/Presets" ] && cp -r "$generated/Presets/." "$dist/Presets/"
[ -d "$here/data/Sounds" ] && cp -r "$here/data/Sounds/." "$dist/Sounds/"
[ -d "$generated/Sounds" ] && cp -r "$generated/Sounds/." "$dist/Sounds/"
find "$dist" -name '.gitkeep' -delete
# What Wine lets start may still need a DLL that Windows lacks: check before zipping.
bash "$here/tools/check_imports.sh" "$dist"
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cp -r "$dist" "$staging/Tavix"
rm -f "$zipfile"
(cd "$staging" && zip -qr "$zipfile" Tavix)
echo "dist: $dist and $zipfile"
