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

# The program tells what it shows in $states (one line per change, "screen | menu | row") and
# how many frames it has presented in $states.frames (shell/state_log.h): the scripts act
# when the state they need is there, and wait for it as long as a busy machine needs.
states=$work/states.log
patience=${VEX_SMOKE_PATIENCE:-60}

# run_logged LOG CMD...: starts CMD in $work in the background, its output in $work/LOG and
# its state in $states, as $pid.
run_logged() {
    local log=$1
    shift
    rm -f "$states" "$states.frames"
    (cd "$work" && VEX_STATE_LOG=$states exec "$@" >"$log" 2>&1) &
    pid=$!
}

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
    run_logged out.log ./vexlume2
    find_window
}

# state: what the program showed last; frames: how many frames it has presented; steps: the
# play steps of the game in progress.
state() { tail -n1 "$states" 2>/dev/null; }
counts() { read -r f s < "$states.frames" 2>/dev/null && echo "${f:-0} ${s:-0}" || echo "0 0"; }
frames() { local c; c=$(counts); echo "${c% *}"; }
steps() { local c; c=$(counts); echo "${c#* }"; }

# wait_until WHAT CMD...: polls CMD until it succeeds; fails loudly after $patience seconds
# or when the program ends first.
wait_until() {
    local what=$1 deadline=$((SECONDS + patience))
    shift
    until "$@"; do
        if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then
            fail "the program ended while waiting for $what (last state: '$(state)')"
        fi
        [ "$SECONDS" -lt "$deadline" ] || fail "no $what within $patience s (last state: '$(state)')"
        sleep 0.05
    done
}

state_is() { state | grep -Eqx -- "$1"; }
frames_reach() { [ "$(frames)" -ge "$1" ]; }

# wait_state REGEX: until the state (the whole line) matches the extended regex.
wait_state() { wait_until "state '$1'" state_is "$1"; }

# wait_frames N: until N more frames than now have been presented.
wait_frames() { wait_until "$1 more frames" frames_reach $(($(frames) + $1)); }

# wait_steps N: until the game has played N more steps than now.
steps_reach() { [ "$(steps)" -ge "$1" ]; }
wait_steps() { wait_until "$1 more play steps" steps_reach $(($(steps) + $1)); }

# find_window: waits for the window of the game started as $pid, focuses it and waits for
# its first screen.
find_window() {
    wid=
    for _ in $(seq 1 "$patience"); do
        wid=$(timeout 1 xdotool search --sync --onlyvisible --name "Vexlume" 2>/dev/null | head -n1)
        [ -n "$wid" ] && break
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            local status=$?
            pid=
            fail "exited with status $status before opening a window"
        fi
    done
    [ -n "$wid" ] || fail "no window within $patience s"
    xdotool mousemove --window "$wid" 20 20 windowfocus "$wid" 2>/dev/null
    wait_until "a first frame" frames_reach 1
}

# key NAME...: one key press each; the next goes when the program has presented three
# frames since (it has read the key and answered it). Returns early when the program ends.
key() {
    local k seen deadline
    for k in "$@"; do
        seen=$(frames)
        deadline=$((SECONDS + patience))
        xdotool key --window "$wid" "$k" 2>/dev/null || xdotool key "$k"
        while kill -0 "$pid" 2>/dev/null && ! frames_reach $((seen + 3)); do
            [ "$SECONDS" -lt "$deadline" ] || fail "no frame after key $k within $patience s"
            sleep 0.02
        done
    done
}

# hold NAME... / release NAME...: keys held down until released, each once the program has
# presented a frame since.
hold() { xdotool keydown --window "$wid" "$@"; wait_frames 2; }
release() { xdotool keyup --window "$wid" "$@"; wait_frames 2; }

# pick ROW: in the menu open now, the cursor goes up to ROW (the label's start) and takes it.
pick() {
    local i st
    for i in $(seq 1 12); do
        st=$(state)
        [[ "$st" == *" | "*" | $1"* ]] && break
        key Up
        # A busy X server may hand the key over late: wait for the cursor to move.
        for _ in $(seq 1 100); do [ "$(state)" != "$st" ] && break; sleep 0.05; done
    done
    [[ "$(state)" == *" | "*" | $1"* ]] || fail "no row '$1' in the menu ('$(state)')"
    key Return
}

# quit: Options -> "Exit Program" from a screen with no menu open; the program must end well.
quit() {
    key Escape
    wait_state ".* \| Options \| .*"
    pick "Exit Program"
    finish
}

# shot NAME: a screenshot of the window alone in $work/NAME.png.
shot() {
    import -window "$wid" "$work/$1.png" 2>/dev/null || fail "screenshot $1 failed"
}

# shot_in REGEX NAME: a screenshot taken while the program shows that state.
shot_in() {
    wait_state "$1"
    shot "$2"
    state_is "$1" || fail "the program left '$1' while $2 was taken (now '$(state)')"
}

# wait_lit SHOT GEOMETRY MIN_R MIN_G MIN_B WHAT and wait_bright SHOT GEOMETRY MIN WHAT: as
# expect_lit and expect_bright, on screenshots taken until they hold (something that fades in
# or grows).
lit_now() {
    local r g b
    shot "$1"
    read -r r g b <<<"$(region_max "$1" "$2")"
    [ "$r" -ge "$3" ] && [ "$g" -ge "$4" ] && [ "$b" -ge "$5" ]
}
bright_now() {
    local r g b
    shot "$1"
    read -r r g b <<<"$(region_max "$1" "$2")"
    [ "$r" -ge "$3" ] || [ "$g" -ge "$3" ] || [ "$b" -ge "$3" ]
}
wait_shot() {
    local what=$1 deadline=$((SECONDS + patience))
    shift
    until "$@"; do
        [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for $what"
        [ "$SECONDS" -lt "$deadline" ] ||
            fail "$what: brightest in $3 of $2 is $(region_max "$2" "$3") after $patience s"
    done
}
wait_lit() { wait_shot "$6" lit_now "$@"; }
wait_bright() { wait_shot "$4" bright_now "$@"; }

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

# finish: the game must end by itself with status 0.
finish() {
    local deadline=$((SECONDS + patience))
    while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
    kill -0 "$pid" 2>/dev/null && fail "still running $patience s after leaving (last state: '$(state)')"
    wait "$pid"
    local status=$?
    pid=
    [ "$status" -eq 0 ] || fail "exit status $status"
}
