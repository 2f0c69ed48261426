#!/usr/bin/env bash
# The Windows build, tested under Wine without a display:
#   1. cross-builds the program and its tests with MinGW-w64 (build-windows/),
#      its icon drawn by make_ico of the native build; lists tovik.exe's
#      resources (icon sizes, version, manifest); packs the program with its
#      README.txt and licence in a ZIP file and in an installer;
#   2. runs the Windows test programs under Wine's null graphics driver;
#   3. cross-checks the GDI canvas against the software canvas: the GDI half
#      runs under Wine, the software half natively, and compares; the same
#      for whole frames of the opening crawl, drawn by the game on each;
#   4. smoke-tests tovik.exe: it starts, runs, and exits with 0 when asked to
#      quit through its close box and through its Quit command;
#   5. installs with the installer, silently: the files, the Start-menu
#      shortcut and the Apps entry; smoke-tests the installed program;
#      uninstalls, silently: all gone but the user's Documents\TOVIK\TOVIK.SCR;
#   6. display scaling at 200 % (LogPixels 192, on an X server of its own, as
#      Wine's null driver has no screen large enough): the client area twice
#      the 96-DPI one, the picture in it that one scaled by 2, and a click
#      the framework point it stands for.
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

packages=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix wine64 fonts-liberation2
          nsis icoutils xvfb python3)
# Waits for apt's locks when another package manager holds them.
tools/install-packages.sh "${packages[@]}"

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || true)
[ -n "$wineserver" ] || wineserver=/usr/lib/wine/wineserver

mkdir -p "$logs"
echo "== The native build's tools"
if [ ! -f "$native_build/CMakeCache.txt" ]; then
    cmake -S . -B "$native_build" -G Ninja -DTOVIK_WERROR=ON >"$logs/native_configure.log"
fi
cmake --build "$native_build" --target make_ico canvas_cross_check crawl_frames \
    >"$logs/native_build.log"

echo "== Cross-building for Windows"
generator=()
[ -f "$win_build/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S . -B "$win_build" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DTOVIK_WERROR=ON \
    -DTOVIK_HOST_MAKE_ICO="$root/$native_build/tools/make_ico"
cmake --build "$win_build"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$win_build/CMakeCache.txt")

failures=0
fail() {  # message
    echo "FAIL $*"
    failures=$((failures + 1))
}

echo "== The resources of tovik.exe"
exe=$win_build/game/tovik.exe
resources=$logs/resources
rm -rf "$resources" && mkdir -p "$resources"
wrestool -l "$exe" >"$resources/list.txt" 2>&1 || true
wrestool -x -t 14 "$exe" -o "$resources/tovik.ico" 2>>"$resources/list.txt" || true
icon_sizes=$(icotool -l "$resources/tovik.ico" 2>/dev/null | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | xargs)
if [ "$icon_sizes" = "16 20 24 32 40 48 64 256" ]; then
    echo "PASS icon group with sizes $icon_sizes"
else
    fail "icon group sizes: '$icon_sizes' (resources: $resources/list.txt)"
fi
version_strings=$(wrestool -x --raw -t 16 "$exe" 2>/dev/null | strings -el)
if grep -qx "$version" <<<"$version_strings" && grep -qx TOVIK <<<"$version_strings" &&
   grep -q "the TOVIK authors, MIT licence" <<<"$version_strings"; then
    echo "PASS version information: TOVIK $version, the TOVIK authors, MIT licence"
else
    fail "version information: $(tr '\n' ' ' <<<"$version_strings")"
fi
if wrestool -x --raw -t 24 "$exe" 2>/dev/null | grep -q '<dpiAwareness[^>]*>PerMonitorV2'; then
    echo "PASS manifest declares per-monitor (v2) DPI awareness"
else
    fail "manifest without per-monitor (v2) DPI awareness"
fi

echo "== The Windows ZIP file and installer"
(cd "$win_build" && cpack -G ZIP && cpack -G NSIS) >"$logs/cpack.log" 2>&1 || { tail -20 "$logs/cpack.log"; exit 1; }
zip_file=$win_build/tovik-$version-windows-x86_64.zip
zip_list=$(cd "$win_build" && cmake -E tar tf "$(basename "$zip_file")")
for f in tovik.exe README.txt LICENSE.txt; do
    grep -q "/$f\$" <<<"$zip_list" || { echo "FAIL: $f missing from $zip_file"; exit 1; }
done
# Every line of the README ends in CR LF, as Notepad of any age reads it.
if [ "$(grep -c $'\r$' "$win_build/dist/README.txt")" -eq "$(wc -l <"$win_build/dist/README.txt")" ]; then
    echo "PASS $zip_file holds tovik.exe, README.txt (CR LF) and LICENSE.txt"
else
    fail "README.txt has lines without CR LF"
fi
installer=$win_build/tovik-$version-windows-x86_64-setup.exe
[ -f "$installer" ] || { echo "FAIL: no $installer"; exit 1; }

# A private prefix on Wine's null display driver; no X server is involved.
# Its home is private too: Wine links the user's Documents folder to it.
scratch=$(mktemp -d)
mkdir -p "$scratch/home"
export HOME=$scratch/home WINEPREFIX=$scratch/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset DISPLAY WAYLAND_DISPLAY
xvfb=""
stop_wine() {
    "$wineserver" -k >/dev/null 2>&1 || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
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

# compare NAME COMMAND...: the native half of a cross-check, its report in
# NAME.txt; it exits 0 when both halves agree, 1 with known differences only
# (a failure unless TOVIK_CROSS_CHECK_STRICT=0), 2 with others.
compare() {
    local report=$logs/$1.txt verdict
    shift
    set +e
    "$@" >"$report" 2>&1
    verdict=$?
    set -e
    cat "$report"
    if [ "$verdict" -eq 2 ] || { [ "$verdict" -eq 1 ] && [ "${TOVIK_CROSS_CHECK_STRICT:-1}" = 1 ]; }; then
        failures=$((failures + 1))
    fi
}

echo "== Cross-check: the GDI canvas against the software canvas"
if run_windows gdi_dump "$win_build/tests/win32/gdi_dump.exe" "$root/$win_build/gdi_canvas.ppm"; then
    compare cross_check "$native_build/tests/win32/canvas_cross_check" \
        "$win_build/gdi_canvas.ppm" "$win_build/cross-check"
else
    echo "FAIL gdi_dump (log: $logs/gdi_dump.log)"
    failures=$((failures + 1))
fi

echo "== Cross-check: frames of the opening crawl, drawn by the game with GDI"
rm -rf "$win_build/crawl-gdi"
if run_windows crawl_frames "$win_build/tests/win32/crawl_frames.exe" "$root/$win_build/crawl-gdi"; then
    compare crawl_frames "$native_build/tests/win32/crawl_frames" \
        "$win_build/crawl-software" "$win_build/crawl-gdi"
else
    echo "FAIL crawl_frames (log: $logs/crawl_frames.log)"
    failures=$((failures + 1))
fi

echo "== Smoke test: tovik.exe"
smoke() {  # how to ask it to quit (close or quit), the program, its working directory, a name for the logs
    local how=$1 program=$2 dir=$3 name=$4
    mkdir -p "$dir"
    (cd "$dir" && timeout 120 "$wine" "$program" >"$logs/$name-$how.log" 2>&1
     echo $? >"$scratch/$name-$how.exit_code") &
    local started=$!
    local asked=0
    run_windows "close_$name-$how" "$win_build/tests/win32/close_tovik.exe" 3 "$how" || asked=1
    wait "$started" || true
    local code
    code=$(cat "$scratch/$name-$how.exit_code" 2>/dev/null || echo none)
    if [ "$asked" -eq 0 ] && [ "$code" = 0 ]; then
        echo "PASS $name ran and exited with 0 after '$how'"
    else
        fail "$name after '$how': exit code $code (logs: $logs/$name-$how.log, $logs/close_$name-$how.log)"
        cat "$logs/close_$name-$how.log"
    fi
}
smoke close "$root/$win_build/game/tovik.exe" "$scratch/smoke-close" tovik.exe
smoke quit "$root/$win_build/game/tovik.exe" "$scratch/smoke-quit" tovik.exe

echo "== The installer and the uninstaller, silent"
user_name=$(id -un)
user_dir=$WINEPREFIX/drive_c/users/$user_name
program_dir=$user_dir/AppData/Local/Programs/TOVIK
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/TOVIK.lnk"
documents=$user_dir/Documents/TOVIK
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\TOVIK'
# The uninstaller hands its work to a copy of itself and returns: the end of
# a server that does not outlive its last program is the end of them all.
"$wineserver" -k >/dev/null 2>&1 || true
"$wineserver" -w
run_windows install "$installer" /S || fail "the installer exited with an error"
"$wineserver" -w
missing_files=""
for f in tovik.exe README.txt LICENSE.txt Uninstall.exe; do
    [ -f "$program_dir/$f" ] || missing_files="$missing_files $f"
done
if [ -z "$missing_files" ] && [ -d "$documents" ]; then
    echo "PASS installed per user into $program_dir; Documents\\TOVIK made"
else
    fail "installed files missing:${missing_files:- none}; Documents\\TOVIK:" \
         "$([ -d "$documents" ] && echo made || echo missing)"
fi
run_windows shortcut "$win_build/tests/win32/shortcut_info.exe" "$shortcut" || true
expected_shortcut="target: C:\\users\\$user_name\\AppData\\Local\\Programs\\TOVIK\\tovik.exe
directory: C:\\users\\$user_name\\Documents\\TOVIK"
if [ "$(tr -d '\r' <"$logs/shortcut.log")" = "$expected_shortcut" ]; then
    echo "PASS Start-menu shortcut TOVIK: $(tr -d '\r' <"$logs/shortcut.log" | tr '\n' ' ')"
else
    fail "Start-menu shortcut: $(cat "$logs/shortcut.log")"
fi
"$wine" reg query "$uninstall_key" >"$logs/uninstall_entry.log" 2>&1 || true
entry_ok=1
windows_program_dir="C:\\users\\$user_name\\AppData\\Local\\Programs\\TOVIK"
for value in "DisplayName REG_SZ TOVIK" "DisplayVersion REG_SZ $version" \
             "Publisher REG_SZ the TOVIK authors" "DisplayIcon REG_SZ $windows_program_dir\\tovik.exe,0" \
             "UninstallString REG_SZ \"$windows_program_dir\\Uninstall.exe\"" "EstimatedSize REG_DWORD"; do
    tr -d '\r' <"$logs/uninstall_entry.log" | sed 's/^ *//; s/  */ /g' | grep -qF "$value" || {
        fail "Apps entry lacks '$value' (log: $logs/uninstall_entry.log)"
        entry_ok=0
    }
done
[ "$entry_ok" -eq 0 ] || echo "PASS Apps entry: name, version, publisher, icon, size, uninstaller"
smoke close "$program_dir/tovik.exe" "$documents" installed-tovik.exe
echo "TOVIK_PERIODIC(1);" >"$documents/TOVIK.SCR"
run_windows uninstall "$program_dir/Uninstall.exe" /S || fail "the uninstaller exited with an error"
"$wineserver" -w
left=""
[ ! -e "$program_dir" ] || left="$left $program_dir"
[ ! -e "$shortcut" ] || left="$left the shortcut"
"$wine" reg query "$uninstall_key" >/dev/null 2>&1 && left="$left the Apps entry"
if [ -z "$left" ] && [ -f "$documents/TOVIK.SCR" ]; then
    echo "PASS uninstalled: program, shortcut and Apps entry gone; Documents\\TOVIK\\TOVIK.SCR kept"
else
    fail "after uninstalling: left$left; TOVIK.SCR $([ -f "$documents/TOVIK.SCR" ] && echo kept || echo gone)"
fi

echo "== Display scaling at 200 %"
# Wine's null driver has a 1024 x 768 screen, too small for the game at
# twice its size: an X server with a large one instead.
"$wineserver" -k >/dev/null 2>&1 || true
"$wineserver" -w
# -noreset: the runs follow one another, and a server resetting as one
# leaves may refuse the next.
Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp -noreset 3>"$scratch/display" >"$logs/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 300); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || { echo "FAIL: Xvfb did not start (log: $logs/xvfb.log)"; exit 1; }
export DISPLAY=:$(head -1 "$scratch/display")
at_dpi() {  # DPI
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >"$logs/reg.log" 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >>"$logs/reg.log" 2>&1
    # The DPI is read when the desktop starts.
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w
    "$wineserver" -p >>"$logs/wineserver.log" 2>&1
}
at_dpi 96
run_windows dpi-96 "$win_build/tests/win32/dpi_check.exe" "$root/$win_build/dpi-96.ppm" ||
    fail "dpi_check at 96 DPI (log: $logs/dpi-96.log)"
at_dpi 192
run_windows dpi-192 "$win_build/tests/win32/dpi_check.exe" "$root/$win_build/dpi-192.ppm" ||
    fail "dpi_check at 192 DPI (log: $logs/dpi-192.log)"
smoke close "$root/$win_build/game/tovik.exe" "$scratch/smoke-192" tovik.exe-at-192-dpi
if python3 tests/win32/dpi/compare_scaled.py "$win_build/dpi-96.ppm" "$win_build/dpi-192.ppm" \
        "$logs/dpi-96.log" "$logs/dpi-192.log" "$logs/close_tovik.exe-at-192-dpi-close.log"; then
    :
else
    failures=$((failures + 1))
fi

if [ "$failures" -ne 0 ]; then
    echo "Windows build under Wine: $failures failure(s)"
    exit 1
fi
echo "Windows build under Wine: all passed"
