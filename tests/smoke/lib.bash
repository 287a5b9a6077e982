# Shared by the smoke scripts (sourced, not run): start the staged game in a scratch
# folder under its own Xvfb, find its window, press keys, take screenshots, read colours.
# A script that sources this re-runs itself under xvfb-wrap first.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ -z "${VEX_XVFB:-}" ]; then
    exec "$here/xvfb-wrap" bash "$0" "$@"
fi
build=$1
game=$2
name=$(basename "$0" .sh)
work=$(mktemp -d)
pid=
wid=

fail() {
    echo "$name: $*" >&2
    [ -f "$work/out.log" ] && sed 's/^/  game: /' "$work/out.log" >&2
    [ -n "${VEX_SMOKE_KEEP:-}" ] && cp "$work"/*.png "${VEX_SMOKE_KEEP}/" 2>/dev/null
    exit 1
}

cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    [ -n "${VEX_SMOKE_KEEP:-}" ] && cp "$work"/*.png "${VEX_SMOKE_KEEP}/" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# start_game [CONFIG LINES...]: a windowed 1024 x 768 game unless told otherwise.
start_game() {
    [ -x "$game/vexlume2" ] || fail "no staged game in $game"
    cp -r "$game/." "$work/"
    rm -f "$work/Config.txt" "$work/hiscores.dat" "$work/errors.txt"
    if [ $# -gt 0 ]; then
        printf '%s\r\n' "$@" > "$work/Config.txt"
    else
        printf '%s\r\n' "[Windowed]" "True" "[Screen Width]" 1024 "[Screen Height]" 768 > "$work/Config.txt"
    fi
    cp "$work/Config.txt" "$work/Config.start"
    (cd "$work" && exec ./vexlume2 >out.log 2>&1) &
    pid=$!
    find_window
}

# find_window: waits for the window of the game started as $pid and focuses it.
find_window() {
    for _ in $(seq 1 30); do
        wid=$(timeout 1 xdotool search --sync --onlyvisible --name "Vexlume" 2>/dev/null | head -n1)
        [ -n "$wid" ] && break
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            local status=$?
            pid=
            fail "exited with status $status before opening a window"
        fi
    done
    [ -n "$wid" ] || fail "no window within 30 s"
    xdotool mousemove --window "$wid" 20 20 windowfocus "$wid" 2>/dev/null
    sleep 0.5
}

# key NAME...: one key press each, a few frames apart.
key() {
    for k in "$@"; do
        xdotool key --window "$wid" "$k" 2>/dev/null || xdotool key "$k"
        sleep 0.15
    done
}

# shot NAME: a screenshot of the window alone in $work/NAME.png.
shot() {
    import -window "$wid" "$work/$1.png" 2>/dev/null || fail "screenshot $1 failed"
}

# brightest R G B (0-255) inside WxH+X+Y of a screenshot.
region_max() {
    convert "$work/$1.png" -crop "$2" +repage -format "%[fx:int(255*maxima.r)] %[fx:int(255*maxima.g)] %[fx:int(255*maxima.b)]" info:
}

# expect_lit SHOT GEOMETRY MIN_R MIN_G MIN_B WHAT: the region holds a pixel at least that bright.
expect_lit() {
    local rgb
    rgb=$(region_max "$1" "$2")
    read -r r g b <<<"$rgb"
    [ "$r" -ge "$3" ] && [ "$g" -ge "$4" ] && [ "$b" -ge "$5" ] || fail "$6: brightest in $2 of $1 is $rgb"
}

# expect_bright SHOT GEOMETRY MIN WHAT: some pixel of the region has a channel at least MIN.
expect_bright() {
    local rgb
    rgb=$(region_max "$1" "$2")
    read -r r g b <<<"$rgb"
    [ "$r" -ge "$3" ] || [ "$g" -ge "$3" ] || [ "$b" -ge "$3" ] || fail "$4: brightest in $2 of $1 is $rgb"
}

# finish: the game must end by itself with status 0 within 10 s.
finish() {
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "still running 10 s after leaving"
    wait "$pid"
    local status=$?
    pid=
    [ "$status" -eq 0 ] || fail "exit status $status"
}
