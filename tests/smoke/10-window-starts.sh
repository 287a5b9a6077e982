#!/usr/bin/env bash
# The staged game opens a window, draws something that is not black, and leaves with
# status 0 when Escape is pressed.
set -u
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${VEX_XVFB:-}" ]; then
    exec "$here/xvfb-wrap" bash "$0" "$@"
fi
build=$1
game=$2

fail() {
    echo "10-window-starts: $*" >&2
    [ -f "$work/out.log" ] && sed 's/^/  game: /' "$work/out.log" >&2
    exit 1
}

work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

[ -x "$game/vexlume2" ] || fail "no staged game in $game"
cp -r "$game/." "$work/"
cd "$work" || fail "cannot enter $work"

./vexlume2 >out.log 2>&1 &
pid=$!

# Wait for the window, but not for a game that has already died.
wid=
for _ in $(seq 1 30); do
    wid=$(timeout 1 xdotool search --sync --onlyvisible --name "Vexlume" 2>/dev/null | head -n1)
    [ -n "$wid" ] && break
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        status=$?
        pid=
        fail "exited with status $status before opening a window"
    fi
done
[ -n "$wid" ] || fail "no window within 30 s"

sleep 1 # let a few frames reach the screen
import -window root shot.png || fail "screenshot failed"
bright=$(convert shot.png -format "%[fx:maxima]" info:)
awk -v b="$bright" 'BEGIN { exit !(b > 0.1) }' || fail "screen is black (maxima $bright)"

xdotool mousemove --window "$wid" 20 20 windowfocus "$wid" 2>/dev/null
xdotool key Escape
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running 10 s after Escape"
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || fail "exit status $status"
exit 0
