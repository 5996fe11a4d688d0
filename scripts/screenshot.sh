#!/usr/bin/env bash
# Takes the README's screenshots of the real window: a private Xvfb with the
# openbox window manager, the built program, a heading pasted and calculated.
#
#     scripts/screenshot.sh [build/moravin] [docs]
#
# Writes docs/moravin.png (96 dpi) and docs/moravin-2x.png (QT_SCALE_FACTOR=2).
set -euo pipefail

program=${1:-build/moravin}
out=${2:-docs}
mkdir -p "$out"

display=:$((200 + RANDOM % 100))
runtime=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

export DISPLAY=$display XDG_RUNTIME_DIR=$runtime LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

Xvfb "$display" -screen 0 1024x600x24 -nolisten tcp -dpi 96 >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.05; done

wait_window() {
    local pid=$1 window=""
    for _ in $(seq 200); do
        window=$(xdotool search --all --onlyvisible --pid "$pid" --name '^moravin$' 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        sleep 0.05
    done
    [ -n "$window" ] || { echo "screenshot: the window did not appear" >&2; exit 1; }
    echo "$window"
}

# Grabs the window with its frame: the frame's origin is the client's, less
# the extents openbox reports.
shoot() {
    local window=$1 file=$2
    local extents x y w h
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r left right top bottom <<<"$extents"
    eval "$(xwininfo -id "$window" | awk '/Absolute upper-left X/{print "x="$4} /Absolute upper-left Y/{print "y="$4} /Width/{print "w="$2} /Height/{print "h="$2}')"
    import -window root -crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))" +repage "$file"
}

run_and_shoot() {
    local file=$1 scale=$2
    QT_SCALE_FACTOR=$scale "$program" &
    local pid=$!
    pids+=($pid)
    local window
    window=$(wait_window "$pid")
    xdotool windowactivate --sync "$window"
    printf 'あいうえお' | xclip -i -selection clipboard
    # Enter from the size field to the span field and on to the text field,
    # paste, Enter to the calculate button, Enter to calculate.
    xdotool key Return Return ctrl+v Return Return
    sleep 0.5
    shoot "$window" "$file"
    kill "$pid" 2>/dev/null || true
}

run_and_shoot "$out/moravin.png" 1
run_and_shoot "$out/moravin-2x.png" 2
echo "screenshot: wrote $out/moravin.png and $out/moravin-2x.png"
