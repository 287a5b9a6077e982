#!/usr/bin/env bash
# Full screen on a monitor of another shape: a 1024 x 768 game on a 1920 x 1080 display
# covers it with one borderless window, without changing the monitor's mode, and shows its
# picture scaled to the full height, centred between black bars.
export VEX_XVFB_SCREEN=1920x1080x24
source "$(dirname "$0")/lib.bash"
start_game "[Windowed]" "False" "[Screen Width]" 1024 "[Screen Height]" 768
wait_state title
windows=$(xdotool search --onlyvisible --name "Vexlume" | wc -l)
[ "$windows" -eq 1 ] || fail "expected one window, found $windows"
read -r w h < <(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { split($2, s, "x"); print s[1], s[2] }')
[ "$w" -eq 1920 ] && [ "$h" -eq 1080 ] || fail "window is ${w}x$h, not 1920x1080"
key space
shot_in play full
read -r sw sh < <(identify -format "%w %h" "$work/full.png")
[ "$sw" -eq 1920 ] && [ "$sh" -eq 1080 ] || fail "screenshot is ${sw}x$sh"
# The playfield border (64, 64, 196) runs down both edges of the 1440 px picture.
expect_lit full 6x1080+238+0 40 40 150 "left border"
expect_lit full 6x1080+1676+0 40 40 150 "right border"
[ "$(region_max full 236x1080+0+0)" = "0 0 0" ] || fail "left bar is not black: $(region_max full 236x1080+0+0)"
[ "$(region_max full 236x1080+1684+0)" = "0 0 0" ] || fail "right bar is not black"
[ ! -s "$work/errors.txt" ] || fail "errors.txt: $(cat "$work/errors.txt")"
quit
exit 0
