#!/usr/bin/env bash
# The staged game opens a window, draws something that is not black, and leaves with
# status 0 through the Options menu's "Exit Program".
source "$(dirname "$0")/lib.bash"
start_game
shot_in title start
bright=$(convert "$work/start.png" -format "%[fx:maxima]" info:)
awk -v b="$bright" 'BEGIN { exit !(b > 0.1) }' || fail "screen is black (maxima $bright)"
quit
exit 0
