#!/usr/bin/env bash
# The Windows build, tested under Wine without a display:
#   1. cross-builds the program and its tests with MinGW-w64 (build-windows/),
#      and packs the program with its README and licence in a ZIP file;
#   2. runs the Windows test programs under Wine's null graphics driver;
#   3. cross-checks the GDI canvas against the software canvas: the GDI half
#      runs under Wine, the software half natively, and compares; the same
#      for whole frames of the opening crawl, drawn by the game on each;
#   4. smoke-tests tovik.exe: it starts, runs, and exits with 0 when asked to
#      quit through its close box and through its Quit command.
# Installs the Debian packages it needs.  Logs: build-windows/wine-logs/.
#
# Environment: NATIVE_BUILD_DIR (default build), the Linux build to add the
# comparer to; TOVIK_CROSS_CHECK_STRICT (default 1) fails the run when the
# canvases differ where the pixel rules say they agree; 0 only reports it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
win_build=build-windows
native_build=${NATIVE_BUILD_DIR:-build}
logs=$root/$win_build/wine-logs

packages=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix wine64 fonts-liberation2)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || true)
[ -n "$wineserver" ] || wineserver=/usr/lib/wine/wineserver

echo "== Cross-building for Windows"
generator=()
[ -f "$win_build/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S . -B "$win_build" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DTOVIK_WERROR=ON
cmake --build "$win_build"
mkdir -p "$logs"

echo "== The Windows ZIP file"
(cd "$win_build" && cpack -G ZIP) >"$logs/cpack.log" 2>&1 || { tail -20 "$logs/cpack.log"; exit 1; }
zip_file=$(ls "$win_build"/tovik-*-windows-x86_64.zip)
zip_list=$(cd "$win_build" && cmake -E tar tf "$(basename "$zip_file")")
for f in tovik.exe README.md LICENSE.txt; do
    grep -q "/$f\$" <<<"$zip_list" || { echo "FAIL: $f missing from $zip_file"; exit 1; }
done
echo "PASS $zip_file holds tovik.exe, README.md and LICENSE.txt"

# A private prefix on Wine's null display driver; no X server is involved.
scratch=$(mktemp -d)
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
stop_wine() {
    "$wineserver" -k >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap stop_wine EXIT

echo "== Preparing a Wine prefix"
# Wine's output goes to files only: its server outlives a run and would keep
# a pipe open.
"$wine" wineboot -i >"$logs/wineboot.log" 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >"$logs/reg.log" 2>&1
"$wineserver" -k >/dev/null 2>&1 || true
"$wineserver" -w
# One server for every run that follows, its output kept away from them.
"$wineserver" -p >"$logs/wineserver.log" 2>&1

failures=0
run_windows() {  # log name, then the program and its arguments
    local name=$1
    shift
    if timeout 600 "$wine" "$@" >"$logs/$name.log" 2>&1; then
        return 0
    fi
    return 1
}

echo "== Windows test programs under Wine"
tests_found=0
for exe in "$win_build"/tests/*/*_tests.exe "$win_build"/tests/*_tests.exe; do
    [ -f "$exe" ] || continue
    tests_found=$((tests_found + 1))
    name=$(basename "$exe" .exe)
    # Tests find their data by absolute paths, which Wine resolves on drive Z:.
    if (cd "$(dirname "$exe")" && run_windows "$name" "./$(basename "$exe")"); then
        echo "PASS $name: $(grep -E '^\[  PASSED  \]' "$logs/$name.log" || true)"
    else
        echo "FAIL $name (log: $logs/$name.log)"
        grep -E '^\[  FAILED  \]|Failure' "$logs/$name.log" || tail -20 "$logs/$name.log"
        failures=$((failures + 1))
    fi
done
if [ "$tests_found" -eq 0 ]; then
    echo "FAIL: no Windows test programs were built"
    failures=$((failures + 1))
fi

echo "== Cross-check: the GDI canvas against the software canvas"
if run_windows gdi_dump "$win_build/tests/win32/gdi_dump.exe" "$root/$win_build/gdi_canvas.ppm"; then
    if [ ! -f "$native_build/CMakeCache.txt" ]; then
        cmake -S . -B "$native_build" -G Ninja -DTOVIK_WERROR=ON >"$logs/native_configure.log"
    fi
    cmake --build "$native_build" --target canvas_cross_check >"$logs/native_build.log"
    set +e
    "$native_build/tests/win32/canvas_cross_check" "$win_build/gdi_canvas.ppm" \
        "$win_build/cross-check" >"$logs/cross_check.txt" 2>&1
    verdict=$?
    set -e
    cat "$logs/cross_check.txt"
    if [ "$verdict" -eq 2 ] || { [ "$verdict" -eq 1 ] && [ "${TOVIK_CROSS_CHECK_STRICT:-1}" = 1 ]; }; then
        failures=$((failures + 1))
    fi
else
    echo "FAIL gdi_dump (log: $logs/gdi_dump.log)"
    failures=$((failures + 1))
fi

echo "== Cross-check: frames of the opening crawl, drawn by the game with GDI"
rm -rf "$win_build/crawl-gdi"
if run_windows crawl_frames "$win_build/tests/win32/crawl_frames.exe" "$root/$win_build/crawl-gdi"; then
    cmake --build "$native_build" --target crawl_frames >>"$logs/native_build.log"
    set +e
    "$native_build/tests/win32/crawl_frames" "$win_build/crawl-software" "$win_build/crawl-gdi" \
        >"$logs/crawl_frames.txt" 2>&1
    verdict=$?
    set -e
    cat "$logs/crawl_frames.txt"
    if [ "$verdict" -eq 2 ] || { [ "$verdict" -eq 1 ] && [ "${TOVIK_CROSS_CHECK_STRICT:-1}" = 1 ]; }; then
        failures=$((failures + 1))
    fi
else
    echo "FAIL crawl_frames (log: $logs/crawl_frames.log)"
    failures=$((failures + 1))
fi

echo "== Smoke test: tovik.exe"
smoke() {  # how to ask it to quit: close or quit
    local how=$1
    local dir=$scratch/smoke-$how
    mkdir -p "$dir"
    (cd "$dir" && timeout 120 "$wine" "$root/$win_build/game/tovik.exe" >"$logs/tovik-$how.log" 2>&1
     echo $? >"$dir/exit_code") &
    local program=$!
    local asked=0
    run_windows "close_tovik-$how" "$win_build/tests/win32/close_tovik.exe" 3 "$how" || asked=1
    wait "$program" || true
    local code
    code=$(cat "$dir/exit_code" 2>/dev/null || echo none)
    if [ "$asked" -eq 0 ] && [ "$code" = 0 ]; then
        echo "PASS tovik.exe ran and exited with 0 after '$how'"
    else
        echo "FAIL tovik.exe after '$how': exit code $code (logs: $logs/tovik-$how.log, $logs/close_tovik-$how.log)"
        cat "$logs/close_tovik-$how.log"
        failures=$((failures + 1))
    fi
}
smoke close
smoke quit

if [ "$failures" -ne 0 ]; then
    echo "Windows build under Wine: $failures failure(s)"
    exit 1
fi
echo "Windows build under Wine: all passed"
