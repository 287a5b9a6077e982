#!/usr/bin/env bash
# A game played with the keyboard and left through "Exit Program" leaves replays/last.vxr;
# checking it without a window says it is verified, and watching it shows the game marked
# REPLAY and ends by itself with the same verdict.
source "$(dirname "$0")/lib.bash"
start_game "[Windowed]" "True" "[Control Type]" "Keyboard" "[Screen Width]" 1024 "[Screen Height]" 768
key space
wait_state play
hold d Right
wait_steps 50
release d
hold a Up
wait_steps 50
release a Up Right
quit
[ -s "$work/replays/last.vxr" ] || fail "no replays/last.vxr after leaving"
out=$(cd "$work" && ./vexlume2 --verify replays/last.vxr) || fail "--verify said: $out"
[[ "$out" =~ ^verified:\ score\ [0-9]+,\ [0-9]+\ steps$ ]] || fail "--verify printed: $out"

# watch FILE: the real program shows a replay; its verdict goes to watch.log.
watch() {
    run_logged watch.log ./vexlume2 --replay "$1"
    find_window
}

watch replays/last.vxr
wait_state replay
wait_steps 25
shot_in replay watching
expect_bright watching 200x40+0+700 150 "REPLAY label"
expect_lit watching 200x40+0+0 0 200 0 "score line"
finish # the verdict shows for three seconds, then the program leaves
grep -q "^Replay verified: " "$work/watch.log" || fail "watching said: $(cat "$work/watch.log")"

# A golden game, checked by the real program, then watched full screen without sound and
# fast forwarded (fire held): the same verdict.
golden=$here/../replays/easy-keyboard.vxr
out=$(cd "$work" && ./vexlume2 --verify "$golden") || fail "--verify of the golden game said: $out"
printf '%s\r\n' "[Windowed]" "False" "[SFX Volume]" 0 "[Music Volume]" 0 "[Control Type]" "Keyboard" > "$work/Config.txt"
watch "$golden"
wait_state replay
xdotool keydown --window "$wid" Right
patience=240 finish # 6142 steps, fast forwarded
grep -q "^Replay verified: $(cut -d' ' -f3 <<<"${out%%,*}")" "$work/watch.log" ||
    fail "watching full screen said: $(cat "$work/watch.log"), checking said: $out"
exit 0
