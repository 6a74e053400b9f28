#!/usr/bin/env bash
# The whole slideshow, the real program on a private Xvfb display (1920 x 1080
# x 24, GLX, Mesa's software renderer), beside feh on the same photos. Prints
# figures; nothing is asserted.
#
#   bench/show_bench.sh [PROGRAM] [PARTS]
#
# PROGRAM defaults to build/release/lumetta; the probe is built in the same
# build tree. PARTS is any of "abc" (default: all):
#   a  start to the first photo on screen, one 24-megapixel JPEG, REPEAT times
#      each (default 5), ours and feh -F interleaved
#   b  photo memory: peak resident memory of a show of 6 24-megapixel photos
#      minus that of the same show of 64 x 48 photos, ours and feh
#   c  growth over a long show: resident memory at photo 20 and photo 200 of a
#      show of 200 1600 x 1200 photos (about 9 minutes: a photo at Delay 1
#      takes some 2.6 s with software drawing on 2 cores)
# The main thread's stall at a photo change is measured by show_stall_bench
# (bench/ShowStallBench.cpp), not here.
#
# Photos are generated once with ImageMagick into BUILD/bench-data/show and
# reused. Every show runs with Delay 1, no music and no moving, from a settings
# file written before each start, in a temporary folder removed at the end.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/release/lumetta}")
parts=${2:-abc}
repeat=${REPEAT:-5}
build=$(dirname "$program")
probe=$build/bench/show_probe
data=$build/bench-data/show

[[ -x $program ]] || { echo "no program at $program (build it first)" >&2; exit 1; }
cmake --build "$build" --target show_probe -j2 >/dev/null
for tool in Xvfb feh xdotool convert; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/setup scripts/test-packages.txt)" >&2; exit 1; }
done

work=$(mktemp -d "$build/show-bench.XXXXXX")
xvfb=
cleanup() {
    if [[ -n $xvfb ]]; then
        kill "$xvfb" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$xvfb" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# --- Photos --------------------------------------------------------------------

# A plasma enlarged to SIZE with fine grain, so that the decoder has a camera
# photo's work to do (about 9 MB at 6000 x 4000). Different seeds differ at the
# probe's points around the centre; -level keeps them clear of black.
plasma_photo() { # FILE SIZE SEED
    [[ -s $1 ]] && return
    convert -size 750x500 -seed "$3" plasma:fractal -level 0%,100%,1.0 +level 20%,100% \
            -resize "$2!" -attenuate 0.4 +noise Gaussian -quality 90 "$1.part.jpg"
    mv "$1.part.jpg" "$1"
}

# Flat, light colours that differ from one photo to the next in every channel
# by 29 or more, and from every other photo of the 200.
flat_photo() { # FILE SIZE NUMBER
    [[ -s $1 ]] && return
    local n=$3
    convert -size "$2" "xc:rgb($((64 + n * 53 % 192)),$((64 + n * 29 % 191)),$((64 + n * 67 % 190)))" \
            -quality 90 "$1.part.jpg"
    mv "$1.part.jpg" "$1"
}

make_photos() {
    mkdir -p "$data"/big "$data"/tiny "$data"/long
    echo "preparing photos in $data (once)..." >&2
    for i in 1 2 3 4 5 6; do
        plasma_photo "$data/big/photo-$i.jpg" 6000x4000 "$i"
        plasma_photo "$data/tiny/photo-$i.jpg" 64x48 "$i"
    done
    for i in $(seq -w 1 200); do flat_photo "$data/long/photo-$i.jpg" 1600x1200 $((10#$i)); done
}

# A show folder of its own for one run: the photos linked in, and the show's
# settings: no music, Delay 1, no moving, from the first photo.
show_folder() { # NAME PHOTOS...
    local folder=$work/shows/$1
    shift
    rm -rf "$folder"
    mkdir -p "$folder/Lumetta"
    ln "$@" "$folder/" 2>/dev/null || cp "$@" "$folder/"
    printf 'none\r\n\r\n-1\r\n1\r\n0\r\n-1\r\n0\r\n' >"$folder/Lumetta/settings.txt"
    echo "$folder"
}

# --- Display and environment ----------------------------------------------------

start_display() {
    local fd_file=$work/display
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset +extension GLX -br \
        3>"$fd_file" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 200); do
        grep -q '^[0-9]' "$fd_file" 2>/dev/null && break
        sleep 0.1
    done
    grep -q '^[0-9]' "$fd_file" || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=:$(head -1 "$fd_file")
}

# The program runs from a copy of its own, so that its shared settings file
# and music folder are the run's, not the build tree's.
prepare_environment() {
    mkdir -p "$work/home/config" "$work/home/runtime" "$work/program"
    chmod 700 "$work/home/runtime"
    ln "$program" "$work/program/lumetta" 2>/dev/null || cp "$program" "$work/program/lumetta"
    program=$work/program/lumetta
    export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_RUNTIME_DIR=$work/home/runtime
    export QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 DBUS_SESSION_BUS_ADDRESS=
    unset WAYLAND_DISPLAY
}

# --- Figures --------------------------------------------------------------------

# The value of KEY= in the probe's output.
value() { sed -n "s/.*\\b$1=\\([^ ]*\\).*/\\1/p" | head -1; }

# Median and minimum of the numbers on standard input.
median_min() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) { print "n/a"; exit }
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "median %.3f s, min %.3f s (%d runs)\n", m, v[1], NR }'; }

run_probe() { # LOG PROBE-ARGS... -- PROGRAM ARGS...
    local log=$1
    shift
    if ! "$probe" "$@" >"$log" 2>&1; then
        echo "  run failed: $(tr '\n' ' ' <"$log")" >&2
    fi
}

part_a() {
    echo "a. start to the first photo on screen (6000 x 4000 JPEG, $(du -h "$data/big/photo-1.jpg" | cut -f1))"
    local ours=$work/a-ours feh_times=$work/a-feh
    : >"$ours"
    : >"$feh_times"
    for r in $(seq "$repeat"); do
        local folder
        folder=$(show_folder first "$data/big/photo-1.jpg")
        run_probe "$work/a.log" --limit 30 -- "$program" "$folder"
        value first_photo_s <"$work/a.log" >>"$ours"
        run_probe "$work/a.log" --limit 30 -- feh -F "$folder/photo-1.jpg"
        value first_photo_s <"$work/a.log" >>"$feh_times"
    done
    echo "   lumetta: $(median_min <"$ours")"
    echo "   feh -F:  $(median_min <"$feh_times")"
    echo "   (probe: one look at 9 pixels takes $(value poll_ms <"$work/a.log") ms, then a 2 ms pause)"
}

# Peak resident memory (KiB) of a show of the six photos of SET, read once all
# six have been on screen and one more second has passed.
show_peak() { # SET ours|feh
    local folder log=$work/b-$1-$2.log
    folder=$(show_folder "peak-$1" "$data/$1"/photo-*.jpg)
    if [[ $2 == ours ]]; then
        run_probe "$log" --photos 6 --settle 1 --limit 120 -- "$program" "$folder"
    else
        run_probe "$log" --photos 6 --settle 1 --limit 120 -- feh -F -D 1 "$folder"
    fi
    value peak_rss_kib <"$log"
}

part_b() {
    echo "b. photo memory: peak RSS (VmHWM before Escape), 6 photos of 6000 x 4000 minus 6 of 64 x 48"
    local who big tiny
    for who in ours feh; do
        big=$(show_peak big "$who")
        tiny=$(show_peak tiny "$who")
        if [[ -n $big && -n $tiny ]]; then
            awk -v who="$([[ $who == ours ]] && echo lumetta: || echo feh:)" -v big="$big" -v tiny="$tiny" \
                'BEGIN { printf "   %-8s %7.1f MiB - %6.1f MiB = %6.1f MiB\n", who, big / 1024, tiny / 1024, (big - tiny) / 1024 }'
        else
            echo "   $who: no figure"
        fi
    done
}

part_c() {
    echo "c. growth over a long show: 200 photos of 1600 x 1200, RSS at photo 20 and photo 200"
    local folder log=$work/c.log
    folder=$(show_folder long "$data"/long/photo-*.jpg)
    run_probe "$log" --photos 200 --rss-at 1,20,100,200 --limit 900 -- "$program" "$folder"
    sed -n 's/^photo=/   photo /p' "$log"
    local at20 at200
    at20=$(grep '^photo=20 ' "$log" | value rss_kib)
    at200=$(grep '^photo=200 ' "$log" | value rss_kib)
    [[ -n $at20 && -n $at200 ]] &&
        awk -v a="$at20" -v b="$at200" 'BEGIN { printf "   growth from photo 20 to photo 200: %.1f MiB\n", (b - a) / 1024 }'
    return 0
}

make_photos
start_display
prepare_environment
echo "program: ${1:-build/release/lumetta}, display $DISPLAY (Xvfb 1920x1080x24, Mesa software GL)"
for part in a b c; do
    [[ $parts == *$part* ]] || continue
    start=$SECONDS
    "part_$part"
    echo "   (part $part took $((SECONDS - start)) s)"
done
