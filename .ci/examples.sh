#!/usr/bin/env bash
# The framework as a library, from a clean install prefix:
#   1. builds and installs it static and shared into one prefix (side by side);
#   2. builds the examples as a separate CMake project with find_package(tovik),
#      once against each build, and once with pkg-config;
#   3. runs every example without a display (SDL's offscreen driver, asked for
#      explicitly): it must draw its first picture and say so on its output,
#      and end with 0 when asked to quit by SIGTERM;
#   4. cross-builds the library for Windows with MinGW and installs it.
# Environment: WORK (default build-examples), the directory for everything.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
work=$root/${WORK:-build-examples}
prefix=$work/prefix
limit=30

tools/install-packages.sh cmake ninja-build g++ pkg-config libsdl2-dev libfreetype-dev \
    libfontconfig1-dev libpng-dev fonts-liberation2 g++-mingw-w64-x86-64-posix

rm -rf "$prefix"
for variant in static shared; do
    shared=OFF
    [ $variant = shared ] && shared=ON
    echo "== The library, $variant"
    cmake -S . -B "$work/lib-$variant" -G Ninja -DTOVIK_WERROR=ON -DBUILD_SHARED_LIBS=$shared \
        -DBUILD_TESTING=OFF -DTOVIK_BENCHMARKS=OFF -DTOVIK_SOFTWARE_CANVAS=ON >/dev/null
    cmake --build "$work/lib-$variant" --target tovik_framework
    cmake --install "$work/lib-$variant" --prefix "$prefix" --component library >/dev/null
done
# The static build alone as well, for pkg-config: beside a shared one, -ltovik
# would take the shared library.
rm -rf "$work/static-prefix"
cmake --install "$work/lib-static" --prefix "$work/static-prefix" --component library >/dev/null
for file in include/tovik.h lib/libtovik.a lib/libtovik.so lib/pkgconfig/tovik.pc \
            lib/cmake/tovik/tovik-static-targets.cmake lib/cmake/tovik/tovik-shared-targets.cmake; do
    test -f "$prefix/$file" || { echo "examples: $file is not installed" >&2; exit 1; }
done
if [ -n "$(find "$prefix/include" -type f ! -name tovik.h)" ]; then
    echo "examples: more than tovik.h installed under include/" >&2
    exit 1
fi

# run PROGRAM: started headless, it must announce its first picture, then end
# with 0 on SIGTERM.
run() {
    local program=$1 out=$work/run.out err=$work/run.err
    SDL_VIDEODRIVER=offscreen "$program" >"$out" 2>"$err" &
    local pid=$! deadline=$((SECONDS + limit))
    until [ -s "$out" ]; do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" || true
            echo "examples: $program ended before its first picture" >&2
            cat "$err" >&2
            exit 1
        fi
        [ "$SECONDS" -lt "$deadline" ] || { kill -9 "$pid"; echo "examples: $program said nothing" >&2; exit 1; }
        sleep 0.1
    done
    # A SIGTERM in the very first moments after the first picture can still
    # end the program the default way (status 143): give it a moment.
    sleep 0.5
    kill -TERM "$pid"
    local status=0
    wait "$pid" || status=$?
    if [ "$status" -ne 0 ] || [ -s "$err" ]; then
        echo "examples: $program ended with $status" >&2
        cat "$err" >&2
        exit 1
    fi
    echo "ran $(basename "$program"): $(head -n 1 "$out")"
}

examples=()
for source in examples/*.cpp; do examples+=("$(basename "$source" .cpp)"); done

for variant in static shared; do
    shared=OFF
    [ $variant = shared ] && shared=ON
    echo "== The examples with find_package(tovik), $variant"
    rm -rf "$work/cmake-$variant"
    cmake -S examples -B "$work/cmake-$variant" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
        -Dtovik_SHARED_LIBS=$shared >/dev/null
    cmake --build "$work/cmake-$variant"
    for name in "${examples[@]}"; do run "$work/cmake-$variant/$name"; done
done

mkdir -p "$work/pkg-config"
echo "== The examples with pkg-config (static)"
for name in "${examples[@]}"; do
    # shellcheck disable=SC2046
    g++ -std=c++20 -Wall -Wextra -Wpedantic -Werror -o "$work/pkg-config/$name" "examples/$name.cpp" \
        $(PKG_CONFIG_PATH=$work/static-prefix/lib/pkgconfig pkg-config --static --cflags --libs tovik)
    run "$work/pkg-config/$name"
done
echo "== The examples with pkg-config (shared)"
for name in "${examples[@]}"; do
    # shellcheck disable=SC2046
    g++ -std=c++20 -Wall -Wextra -Wpedantic -Werror -o "$work/pkg-config/$name" "examples/$name.cpp" \
        $(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags --libs tovik)
    LD_LIBRARY_PATH=$prefix/lib run "$work/pkg-config/$name"
done

echo "== The library for Windows (MinGW), installed"
cmake -S . -B "$work/windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DTOVIK_WERROR=ON -DBUILD_TESTING=OFF -DTOVIK_BENCHMARKS=OFF >/dev/null
cmake --build "$work/windows" --target tovik_framework
rm -rf "$work/windows-prefix"
cmake --install "$work/windows" --prefix "$work/windows-prefix" --component library >/dev/null
cmake -S examples -B "$work/windows-examples" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -Dtovik_DIR="$work/windows-prefix/lib/cmake/tovik" >/dev/null
cmake --build "$work/windows-examples"
echo "examples: all passed"
