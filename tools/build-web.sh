#!/usr/bin/env bash
# Builds the web version: FreeType from Debian's source package and TOVIK with
# Emscripten, leaving the static site in build-web/site/.  Installs what it
# needs first (with a deb-src entry for the FreeType source when none exists).
#
# Environment: WEB_BUILD_DIR (default build-web), CMAKE_ARGS (extra configure
# options for TOVIK, e.g. -DTOVIK_WERROR=ON).
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD
out=${WEB_BUILD_DIR:-build-web}
mkdir -p "$out"
out=$(cd "$out" && pwd)

tools/install-packages.sh emscripten node-acorn cmake ninja-build dpkg-dev fonts-liberation2 \
    fonttools g++ libsdl2-dev libfreetype-dev libfontconfig1-dev libpng-dev

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# --- FreeType, built for WebAssembly from the distribution's source --------
# Its own stamp, so that a build from before the curve change below is redone.
freetype_prefix=$out/freetype
freetype_stamp=$freetype_prefix/curves-as-on-x86-64
if [ ! -f "$freetype_stamp" ]; then
    if ! grep -rqsE '^(deb-src |Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        echo "Adding a deb-src entry for bookworm, for the FreeType source"
        $sudo tee /etc/apt/sources.list.d/tovik-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
        $sudo apt-get update -qq
    fi
    src=$out/freetype-source
    if ! compgen -G "$src/freetype-*/CMakeLists.txt" >/dev/null; then
        rm -rf "$src" && mkdir -p "$src"
        (cd "$src" && apt-get source -qq freetype)
    fi
    freetype_dir=$(dirname "$(compgen -G "$src/freetype-*/CMakeLists.txt" | head -n1)")
    # FreeType's smooth rasteriser flattens curves one way on x86-64 and ARM64
    # (forward differences) and another elsewhere (bisection), which gives
    # edge pixels other grey levels.  WebAssembly takes the first way too, so
    # that the page's text is the native program's pixel for pixel.
    sed -i 's/^    defined( __aarch64__ ) || \\$/    defined( __aarch64__ ) || defined( __wasm__ ) || \\/' \
        "$freetype_dir/src/smooth/ftgrays.c"
    grep -q 'defined( __wasm__ )' "$freetype_dir/src/smooth/ftgrays.c" || {
        echo "FreeType's ftgrays.c has changed: its curves for WebAssembly are not set" >&2
        exit 1
    }
    emcmake cmake -S "$freetype_dir" -B "$out/freetype-build" -G Ninja \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$freetype_prefix" \
        -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
    cmake --build "$out/freetype-build"
    cmake --install "$out/freetype-build" >/dev/null
    touch "$freetype_stamp"
fi

# --- A native build of the tools: make_icons draws the pages' icons ----------
host=$out/host
host_generator=()
[ -f "$host/CMakeCache.txt" ] || host_generator=(-G Ninja)
cmake -S "$root" -B "$host" "${host_generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF -DTOVIK_BENCHMARKS=OFF >/dev/null
cmake --build "$host" --target make_icons render_frames

# --- TOVIK -----------------------------------------------------------------
# Emscripten's optimizer needs acorn, which Debian keeps outside node's own path.
export NODE_PATH=/usr/share/nodejs
generator=()
[ -f "$out/tovik/CMakeCache.txt" ] || generator=(-G Ninja)
# shellcheck disable=SC2086
emcmake cmake -S "$root" -B "$out/tovik" "${generator[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DTOVIK_BACKEND=web -DTOVIK_SOFTWARE_CANVAS=OFF \
    -DBUILD_TESTING=OFF -DTOVIK_BENCHMARKS=OFF \
    -DFREETYPE_INCLUDE_DIRS="$freetype_prefix/include/freetype2" \
    -DFREETYPE_LIBRARY="$freetype_prefix/lib/libfreetype.a" \
    -DTOVIK_WEB_ICON_TOOL="$host/tools/make_icons" \
    -DTOVIK_WEB_SITE_DIR="$out/site" ${CMAKE_ARGS:-}
cmake --build "$out/tovik"
echo "The site is in $out/site"
