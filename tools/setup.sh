#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian or Ubuntu
# machine, and builds the static libpng for the Windows target. Safe to re-run:
# each step is skipped when its result is already there.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
deps_dir="${TAVIX_DEPS_DIR:-$here/build/deps}"

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

packages=(
    cmake ninja-build make g++ pkg-config python3 zip dpkg-dev
    g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
    wine wine64 xvfb xdotool x11-utils imagemagick
    libpng-dev zlib1g-dev googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi

# libpng for the Windows target: Debian's source package, built static against
# the mingw zlib. The deb-src entry is derived from the machine's own sources so
# that no host name is written here.
png_prefix="$deps_dir/mingw-libpng"
if [ ! -f "$png_prefix/lib/libpng.a" ]; then
    mkdir -p "$deps_dir/src"
    tarball=$(ls "$deps_dir"/src/libpng1.6_*.orig.tar.* 2>/dev/null | head -n1 || true)
    if [ -z "$tarball" ]; then
        if ! apt-get source --help >/dev/null 2>&1 || ! grep -rqs '^Types: *deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
            for f in /etc/apt/sources.list.d/*.sources; do
                [ -f "$f" ] || continue
                grep -q '^Types: *deb$' "$f" || continue
                src="/etc/apt/sources.list.d/tavix-src-$(basename "$f")"
                [ -f "$src" ] || sed 's/^Types: *deb$/Types: deb-src/' "$f" | $sudo tee "$src" >/dev/null
            done
            if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
                src=/etc/apt/sources.list.d/tavix-src.list
                [ -f "$src" ] || sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $sudo tee "$src" >/dev/null
            fi
            $sudo apt-get update -qq
        fi
        codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
        (cd "$deps_dir/src" && { apt-get source --download-only "libpng1.6/$codename" </dev/null ||
                                  apt-get source --download-only libpng1.6 </dev/null; })
        tarball=$(ls "$deps_dir"/src/libpng1.6_*.orig.tar.* | head -n1)
    fi
    rm -rf "$deps_dir/src/libpng-build" "$deps_dir/src/libpng-tree"
    mkdir -p "$deps_dir/src/libpng-tree"
    tar -xf "$tarball" -C "$deps_dir/src/libpng-tree" --strip-components=1
    cmake -S "$deps_dir/src/libpng-tree" -B "$deps_dir/src/libpng-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$png_prefix" \
        -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DZLIB_USE_STATIC_LIBS=ON \
        -DCMAKE_POLICY_VERSION_MINIMUM=3.5 >/dev/null
    cmake --build "$deps_dir/src/libpng-build" >/dev/null
    cmake --install "$deps_dir/src/libpng-build" >/dev/null
    # Keep the PngSuite images for the decoder tests.
    rm -rf "$deps_dir/pngsuite" && cp -r "$deps_dir/src/libpng-tree/contrib/pngsuite" "$deps_dir/pngsuite"
    echo "setup: libpng for Windows in $png_prefix"
fi
