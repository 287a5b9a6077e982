#!/usr/bin/env bash
# A game played with the keyboard and left through "Exit Program" leaves replays/last.vxr;
# checking it without a window says it is verified, and watching it shows the game marked
# REPLAY and ends by itself with the same verdict.
source "$(dirname "$0")/lib.bash"
start_game "[Windowed]" "True" "[Control Type]" "Keyboard" "[Screen Width]" 1024 "[Screen Height]" 768
sleep 1
key space
sleep 2.5
xdotool keydown --window "$wid" d Right
sleep 1
xdotool keyup --window "$wid" d
xdotool keydown --window "$wid" a Up
sleep 1
xdotool keyup --window "$wid" a Up Right
key Escape Up Up Up Return
finish
[ -s "$work/replays/last.vxr" ] || fail "no replays/last.vxr after leaving"
out=$(cd "$work" && ./vexlume2 --verify replays/last.vxr) || fail "--verify said: $out"
[[ "$out" =~ ^verified:\ score\ [0-9]+,\ [0-9]+\ steps$ ]] || fail "--verify printed: $out"

# watch FILE: the real program shows a replay; its verdict goes to watch.log.
watch() {
    (cd "$work" && exec ./vexlume2 --replay "$1" >watch.log 2>&1) &
    pid=$!
    wid=
    for _ in $(seq 1 30); do
        wid=$(timeout 1 xdotool search --sync --onlyvisible --name "Vexlume" 2>/dev/null | head -n1)
        [ -n "$wid" ] && break
    done
    [ -n "$wid" ] || fail "no window for the replay $1"
}

watch replays/last.vxr
sleep 3
shot watching
expect_bright watching 200x40+0+700 150 "REPLAY label"
expect_lit watching 200x40+0+0 0 200 0 "score line"
# The game lasted about five seconds; the verdict shows for three more.
for _ in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
finish
grep -q "^Replay verified: " "$work/watch.log" || fail "watching said: $(cat "$work/watch.log")"

# A golden game, checked by the real program, then watched full screen without sound and
# fast forwarded (fire held): the same verdict.
golden=$here/../replays/easy-keyboard.vxr
out=$(cd "$work" && ./vexlume2 --verify "$golden") || fail "--verify of the golden game said: $out"
printf '%s\r\n' "[Windowed]" "False" "[SFX Volume]" 0 "[Music Volume]" 0 "[Control Type]" "Keyboard" > "$work/Config.txt"
watch "$golden"
sleep 2
xdotool keydown --window "$wid" Right
for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
xdotool keyup --window "$wid" Right 2>/dev/null
finish
grep -q "^Replay verified: $(cut -d' ' -f3 <<<"${out%%,*}")" "$work/watch.log" ||
    fail "watching full screen said: $(cat "$work/watch.log"), checking said: $out"
exit 0
