#!/usr/bin/env bash
# Playing with the keyboard: the ship flies right while firing right, leaving exhaust
# behind it and shots ahead of it.
source "$(dirname "$0")/lib.bash"
start_game "[Windowed]" "True" "[Control Type]" "Keyboard" "[Screen Width]" 1024 "[Screen Height]" 768
key space
wait_state play
shot before
hold d Right
wait_steps 30
shot flying
release d Right
# The ship started in the middle: it is now well to the right, shots further right still,
# exhaust (pale yellow) to its left.
expect_lit flying 300x200+560+284 200 200 200 "ship or shots right of the centre"
expect_lit flying 200x120+420+324 150 150 40 "exhaust behind the ship"
quit
exit 0
