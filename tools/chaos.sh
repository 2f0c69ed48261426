#!/usr/bin/env bash
# A chaos run of the real program: the sanitizer build of tovik under Xvfb in
# a scratch directory, driven by seeded random input for a given time, with
# TOVIK.SCR corrupted between commands, then Ctrl+Q.
#
#   tools/chaos.sh [--seed N] [--seconds S] [--program PATH]
#
# The seed (default: from the clock) fixes the sequence of actions, so a run
# is reproduced with the seed it printed; the program's timing is not fixed,
# so the program may take them differently.  The default program is the
# sanitizer build (build-sanitize/game/tovik, as .ci/run makes it).
#
# Actions: clicks in the graphics window and the text window; the drawn Run
# menu, opened by a click on its title and left by choosing an item with the
# mouse or the keys, or with Escape; typed keys, non-ASCII ones too; the
# commands Ctrl+A, H, F, L, R, P and O singly and in bursts (and Ctrl+S,
# which is none); the focus moved between the windows; and TOVIK.SCR
# truncated, with garbage appended, with a very long line, as many empty
# lines, as a valid script, replaced by a directory, a FIFO or a symbolic link
# to /dev/zero, or removed.  Quit (Ctrl+Q, the menu's Quit, a typed q that a
# held Ctrl would make a command) is kept for the end.
#
# It fails, saying why, on:
#   - a sanitizer report, in the program's output;
#   - the program ending before Ctrl+Q, or with a status other than 0;
#   - the quit taking more than 2 s (a playback frozen at the end shows here);
#   - a TOVIK.SCR written by a recording that holds a line that is not whole:
#     every line must be TOVIK_MOUSE(x, y);, TOVIK_KBD(k); or
#     TOVIK_PERIODIC(n); and the file must end with a newline.  It is checked
#     whenever the file is no longer what this script last made of it and
#     the program does not hold it open for writing, and after the quit.
#     Every corruption makes a new file (written beside it and renamed over
#     it), so that a recording still writing to the old one cannot mix with it;
#   - memory that keeps growing after warm-up.  The resident size is sampled
#     every 2 s.  The samples of the first 40 % of the run are warm-up (fonts,
#     the opening crawl, the sanitizer's pools filling); the rest are split
#     into two halves, and the run fails when the lowest sample of the second
#     half exceeds the lowest of the first by more than 32 MB + 10 %.  Lowest
#     samples, since a playback or a burst may lift memory for a moment; a
#     leak lifts the floor.  The sanitizer's quarantine of freed blocks is cut
#     to 16 MB: at its default of 256 MB it would climb for minutes without
#     any leak.  Open files are sampled too: more than 16 above the first count
#     after warm-up fails as well.
#
# At the end it prints the seed, the number of actions and the samples.
# Needs Xvfb and xdotool (installed through tools/install-packages.sh).
set -euo pipefail

here=$(dirname "$(realpath "$0")")
root=$(dirname "$here")
seed=$(( $(date +%s%N) % 1000000000 ))
seconds=90
program="$root/build-sanitize/game/tovik"

usage() { echo "usage: $0 [--seed N] [--seconds S] [--program PATH]" >&2; exit 2; }
while [ $# -gt 0 ]; do
    case $1 in
    --seed) seed=${2:?}; shift 2 ;;
    --seconds) seconds=${2:?}; shift 2 ;;
    --program) program=${2:?}; shift 2 ;;
    *) usage ;;
    esac
done
[[ $seed =~ ^[0-9]+$ && $seconds =~ ^[0-9]+$ ]] || usage
[ -x "$program" ] || { echo "chaos: no program at $program" >&2; exit 2; }
program=$(realpath "$program")

"$here/install-packages.sh" xvfb xdotool

echo "chaos: seed $seed, $seconds s, $program"
RANDOM=$seed

work=$(mktemp -d)
xvfb_pid=""
tovik_pid=""
cleanup() {
    if [ -n "$tovik_pid" ]; then kill -9 "$tovik_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

actions=0
samples=()
fail() {
    echo "chaos: FAIL: $*" >&2
    echo "chaos: seed $seed (reproduce: $0 --seed $seed --seconds $seconds), $actions actions" >&2
    echo "chaos: last actions:" >&2
    tail -n 15 "$work/actions.log" | sed 's/^/  /' >&2
    if [ -s "$work/tovik.log" ]; then tail -n 60 "$work/tovik.log" | sed 's/^/  tovik: /' >&2; fi
    exit 1
}

# A random number 0 .. $1 - 1 in $r: set here, not printed, so that the
# generator is the shell's own and its sequence the seed's.
roll() { r=$((RANDOM % $1)); }
note() { echo "$*" >>"$work/actions.log"; }
x() { timeout 5 xdotool "$@" >/dev/null 2>&1 || true; }

# --- the display and the program ---------------------------------------------
# -noreset: SDL opens and closes a probe connection before its own, and a
# server that resets when its last client leaves may then refuse the next.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "chaos: Xvfb did not start" >&2; exit 2; }
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

mkdir "$work/run"
cd "$work/run"
printf 'TOVIK_PERIODIC(3);\nTOVIK_MOUSE(10, -20);\nTOVIK_KBD(97);\nTOVIK_PERIODIC(2);\n' >TOVIK.SCR

export ASAN_OPTIONS="quarantine_size_mb=16${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$root/tests/sdl/lsan_x11.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
SDL_VIDEODRIVER=x11 "$program" >"$work/tovik.log" 2>&1 &
tovik_pid=$!

running() { [ -d "/proc/$tovik_pid" ] && ! grep -q '^State:.*Z' "/proc/$tovik_pid/status" 2>/dev/null; }
find_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true; }
graphics="" text=""
for _ in $(seq 600); do
    running || fail "tovik ended at start-up"
    graphics=$(find_window "TOVIK Graphics")
    text=$(find_window "TOVIK Text")
    [ -n "$graphics" ] && [ -n "$text" ] && break
    sleep 0.05
done
if [ -z "$graphics" ] || [ -z "$text" ]; then fail "no windows after 30 s"; fi
x windowfocus --sync "$graphics"

# --- TOVIK.SCR --------------------------------------------------------------
# What this script last made of the file, to tell the program's writing from it.
signature() { stat -c '%F %i %s %y %z' TOVIK.SCR 2>/dev/null || echo absent; }
ours=$(signature)

writer_open() {
    local fd flags
    for fd in "/proc/$tovik_pid"/fd/*; do
        [ "$(readlink "$fd" 2>/dev/null)" = "$PWD/TOVIK.SCR" ] || continue
        flags=$(awk '/^flags:/ {print $2}' "/proc/$tovik_pid/fdinfo/${fd##*/}" 2>/dev/null) || continue
        [ -n "$flags" ] && (( (8#$flags & 3) != 0 )) && return 0
    done
    return 1
}

line_format='^TOVIK_(MOUSE\(-?[0-9]+, -?[0-9]+\)|KBD\(-?[0-9]+\)|PERIODIC\([0-9]+\));$'
checked_recordings=0
check_recording() {
    [ "$(signature)" != "$ours" ] || return 0
    [ -f TOVIK.SCR ] && [ ! -L TOVIK.SCR ] || return 0
    cp TOVIK.SCR "$work/checked.scr"
    checked_recordings=$((checked_recordings + 1))
    if [ -s "$work/checked.scr" ] && [ "$(tail -c 1 "$work/checked.scr" | od -An -c | tr -d ' ')" != '\n' ]; then
        sed 's/^/  TOVIK.SCR: /' "$work/checked.scr" | tail -n 20 >&2
        fail "the recording's TOVIK.SCR does not end with a newline"
    fi
    bad=$(LC_ALL=C grep -aEvn "$line_format" "$work/checked.scr" | head -n 5 || true)
    if [ -n "$bad" ]; then
        echo "$bad" | cut -c1-200 | sed 's/^/  TOVIK.SCR line /' >&2
        fail "the recording's TOVIK.SCR holds a line that is not whole"
    fi
}

garbage() {  # $1 bytes from the generator
    local i octal
    for ((i = 0; i < $1; i++)); do
        printf -v octal '%03o' $((RANDOM % 256))
        # shellcheck disable=SC2059 # the byte's escape is the format
        printf "\\$octal"
    done
}
valid_script() {
    local i n
    roll 30; n=$((r + 1))
    for ((i = 0; i < n; i++)); do
        roll 3
        case $r in
        0) printf 'TOVIK_MOUSE(%d, %d);\n' $((RANDOM % 600 - 300)) $((RANDOM % 500 - 250)) ;;
        1) printf 'TOVIK_KBD(%d);\n' $((RANDOM % 256 - 128)) ;;
        *) printf 'TOVIK_PERIODIC(%d);\n' $((RANDOM % 20 + 1)) ;;
        esac
    done
}

corrupt() {
    writer_open || check_recording
    local new="$work/new.scr" size kind
    rm -f "$new"
    if [ -f TOVIK.SCR ] && [ ! -L TOVIK.SCR ]; then cp TOVIK.SCR "$new"; else : >"$new"; fi
    size=$(stat -c %s "$new")
    roll 10
    kind=$r
    case $kind in
    0) roll $((size + 1)); truncate -s "$r" "$new"; note "corrupt: truncated to $r bytes" ;;
    1) roll 400; garbage $((r + 1)) >>"$new"; note "corrupt: garbage appended" ;;
    2) roll 3
       case $r in
       0) head -c 3000000 /dev/zero | tr '\0' A >>"$new" ;;
       1) { printf 'TOVIK_PERIODIC('; head -c 100000 /dev/zero | tr '\0' 9; printf ');\n'; } >>"$new" ;;
       *) awk 'BEGIN { for (i = 0; i < 50000; i++) printf "TOVIK_MOUSE(1, 2);" }' >>"$new" ;;
       esac
       note "corrupt: a very long line" ;;
    3) { head -c 20000000 /dev/zero | tr '\0' '\n'; valid_script; } >>"$new"; note "corrupt: many empty lines" ;;
    4) valid_script >"$new"; roll 2; [ "$r" -eq 0 ] || sed -i 's/$/\r/' "$new"; note "corrupt: a valid script" ;;
    5) rm -rf TOVIK.SCR; mkdir TOVIK.SCR; note "corrupt: a directory" ;;
    6) rm -rf TOVIK.SCR; mkfifo TOVIK.SCR; note "corrupt: a FIFO" ;;
    7) rm -rf TOVIK.SCR; ln -s /dev/zero TOVIK.SCR; note "corrupt: a link to /dev/zero" ;;
    *) rm -rf TOVIK.SCR; note "corrupt: removed" ;;
    esac
    if [ "$kind" -le 4 ]; then
        [ ! -d TOVIK.SCR ] || [ -L TOVIK.SCR ] || rm -rf TOVIK.SCR
        mv -f "$new" TOVIK.SCR
    fi
    ours=$(signature)
}

# --- input ------------------------------------------------------------------
commands=(ctrl+a ctrl+h ctrl+f ctrl+l ctrl+r ctrl+p ctrl+o ctrl+s)
# No q: were Ctrl held where the program cannot see it let go, a q would quit.
plain_keys=(a b c x y z A Z 0 7 space Return BackSpace Tab Escape comma period minus slash
            eacute adiaeresis odiaeresis udiaeresis ssharp ccedilla ntilde sterling yen
            section degree EuroSign Cyrillic_zhe Greek_alpha Hebrew_aleph)

focus() {
    roll 2
    if [ "$r" -eq 0 ]; then x windowfocus --sync "$graphics"; note "focus: graphics"
    else x windowfocus --sync "$text"; note "focus: text"; fi
}

# The client area starts below the 20-pixel menu strip.
click_graphics() {
    local cx cy
    roll 595; cx=$r; roll 490; cy=$((r + 20))
    x mousemove --window "$graphics" "$cx" "$cy" click 1
    note "click graphics $cx $cy"
}
click_text() {
    local cx cy
    roll 595; cx=$r; roll 150; cy=$r
    x mousemove --window "$text" "$cx" "$cy" click 1
    note "click text $cx $cy"
}

# The Run menu, opened by a click on its title and always left closed.  Items
# are chosen by the keys (Down n times: the n-th item that can be chosen,
# whatever the font's size; Quit is the 8th) or clicked among the first five,
# which lie far above Quit.  The graphics window takes the focus first: keys
# typed in the text window never reach the drop-down, which would then stay
# open under the next clicks.
menu() {
    x windowfocus --sync "$graphics"
    x mousemove --window "$graphics" 15 10 click 1
    roll 4
    case $r in
    0) roll 7
       local downs=()
       for ((i = 0; i <= r; i++)); do downs+=(Down); done
       x key --delay 20 "${downs[@]}" Return
       note "menu: item $((r + 1)) by keys" ;;
    1) local rows=(14 36 58 89 120); roll 5
       x mousemove --window "$graphics" 60 $((20 + rows[r])) click 1
       note "menu: item $((r + 1)) clicked" ;;
    2) x mousemove --window "$graphics" 60 $((20 + 73)) click 1; note "menu: separator clicked" ;;
    *) note "menu: opened" ;;
    esac
    x key Escape
}

type_keys() {
    local keys=() n i
    roll 6; n=$((r + 1))
    for ((i = 0; i < n; i++)); do roll ${#plain_keys[@]}; keys+=("${plain_keys[r]}"); done
    x key --delay 15 "${keys[@]}"
    note "keys ${keys[*]}"
}

command_keys() {
    local keys=() n i
    roll 3
    if [ "$r" -eq 0 ]; then roll 8; n=$((r + 2)); else n=1; fi
    for ((i = 0; i < n; i++)); do roll ${#commands[@]}; keys+=("${commands[r]}"); done
    roll 30
    x key --delay "$r" "${keys[@]}"
    note "commands ${keys[*]}"
}

sample() {
    local rss fds
    rss=$(awk '/^VmRSS:/ {print int($2 / 1024)}' "/proc/$tovik_pid/status" 2>/dev/null) || return 0
    fds=$(find "/proc/$tovik_pid/fd" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)
    samples+=("$(( $(date +%s) - start )):${rss}:${fds}")
}

# --- the run ----------------------------------------------------------------
start=$(date +%s)
deadline=$((start + seconds))
next_sample=$start
while [ "$(date +%s)" -lt "$deadline" ]; do
    running || { wait "$tovik_pid" && status=0 || status=$?; tovik_pid=""; fail "tovik ended before Ctrl+Q (status $status)"; }
    if [ "$(date +%s)" -ge "$next_sample" ]; then sample; next_sample=$((next_sample + 2)); fi
    roll 100
    if   [ "$r" -lt 22 ]; then click_graphics
    elif [ "$r" -lt 30 ]; then click_text
    elif [ "$r" -lt 38 ]; then menu
    elif [ "$r" -lt 52 ]; then type_keys
    elif [ "$r" -lt 72 ]; then command_keys
    elif [ "$r" -lt 78 ]; then focus
    elif [ "$r" -lt 90 ]; then corrupt
    else roll 300; sleep "0.$(printf %03d $r)"; note "pause 0.$r s"
    fi
    actions=$((actions + 1))
done
sample

# --- the end ------------------------------------------------------------------
running || fail "tovik ended before Ctrl+Q"
x key Escape
x windowfocus --sync "$graphics"
note "quit: ctrl+q"
quit_sent=$(date +%s%N)
x key ctrl+q
quit_limit=$((quit_sent + 2000000000))
while running && [ "$(date +%s%N)" -lt "$quit_limit" ]; do sleep 0.02; done
running && fail "tovik did not end within 2 s of Ctrl+Q"
quit_ms=$(( ($(date +%s%N) - quit_sent) / 1000000 ))
status=0
wait "$tovik_pid" || status=$?
tovik_pid=""

if grep -Eq 'ERROR: (Address|Leak)Sanitizer|runtime error:|SUMMARY: [A-Za-z]+Sanitizer' "$work/tovik.log"; then
    fail "a sanitizer report"
fi
[ "$status" -eq 0 ] || fail "tovik exited with status $status"
check_recording

# The memory rule above, on the samples after warm-up.
after=()
for s in "${samples[@]}"; do
    IFS=: read -r t rss fds <<<"$s"
    if [ $((t * 10)) -ge $((seconds * 4)) ]; then after+=("$s"); fi
done
if [ ${#after[@]} -ge 4 ]; then
    half=$(( ${#after[@]} / 2 ))
    floor() { printf '%s\n' "$@" | cut -d: -f2 | sort -n | sed -n 1p; }
    first=$(floor "${after[@]:0:half}")
    second=$(floor "${after[@]:half}")
    base_fds=$(echo "${after[0]}" | cut -d: -f3)
    most_fds=$(printf '%s\n' "${after[@]}" | cut -d: -f3 | sort -n | tail -n 1)
    echo "chaos: memory floor ${first} MB, then ${second} MB; open files ${base_fds} to at most ${most_fds}"
    if [ $((second - first)) -gt $((32 + first / 10)) ]; then
        fail "memory keeps growing: its floor went from ${first} MB to ${second} MB"
    fi
    [ "$most_fds" -le $((base_fds + 16)) ] || fail "open files keep growing: ${base_fds} to ${most_fds}"
fi

echo "chaos: samples (s:RSS MB:open files): ${samples[*]}"
echo "chaos: seed $seed, $actions actions, $checked_recordings recordings checked, quit in ${quit_ms} ms: passed"
