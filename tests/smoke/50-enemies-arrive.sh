#!/usr/bin/env bash
# Enemies arrive: a Hard game (it starts late in the schedule, where most kinds are unlocked)
# played invulnerable for a while shows several kinds at once in their play colours.
source "$(dirname "$0")/lib.bash"
start_game "[Windowed]" "True" "[Control Type]" "Keyboard" "[Difficulty]" 2 \
    "[Screen Width]" 1024 "[Screen Height]" 768
key space
wait_state play
key F1 F2 # cheats on, then invulnerable
patience=180 wait_steps 1250 # 25 s of play
shot enemies
# count pixels near each kind's colour: green squares, cyan diamonds, violet pinwheels
count() {
    convert "$work/enemies.png" -fx "$1 ? 1 : 0" -format "%[fx:int(mean*w*h)]" info:
}
green=$(count "g>0.7 && r<0.4 && b<0.4")
cyan=$(count "g>0.7 && b>0.7 && r<0.4")
violet=$(count "r>0.55 && b>0.7 && g<0.5")
kinds=0
for n in $green $cyan $violet; do [ "$n" -gt 20 ] && kinds=$((kinds + 1)); done
[ "$kinds" -ge 2 ] || fail "expected two kinds or more on screen (green $green, cyan $cyan, violet $violet)"
quit
exit 0
