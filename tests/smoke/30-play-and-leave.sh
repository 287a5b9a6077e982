#!/usr/bin/env bash
# A whole visit: title, bomb to start, GET READY, play with the border and status line,
# Options -> End Game -> Yes, back to the title, Options -> Exit Program. The game must
# leave with status 0 and write Config.txt again.
source "$(dirname "$0")/lib.bash"
start_game
wait_state title
wait_bright title 700x200+160+200 60 "title text"

key space
wait_state "get ready"
wait_lit ready 500x200+262+200 0 150 0 "GET READY" # the word grows from nothing

wait_state play
wait_lit play 200x40+0+0 0 200 0 "score line"
expect_lit play 4x700+0+30 50 50 150 "left border"
expect_lit play 4x700+1020+30 50 50 150 "right border"

key Escape
shot_in "play \| Options \| Continue" menu
expect_lit menu 300x40+232+254 200 0 0 "Options title"
pick "End Game"
shot_in "play \| End Game\? \| No" confirm
pick "Yes"
wait_state title
wait_bright back 700x200+160+200 60 "title text after the game"

quit
cmp -s "$work/Config.txt" "$work/Config.start" && fail "Config.txt was not written again"
lines=$(wc -l < "$work/Config.txt")
[ "$lines" -eq 282 ] || fail "Config.txt has $lines lines"
# The classic lines first, then what this game adds.
[ "$(sed -n 279p "$work/Config.txt" | tr -d '\r')" = "[Frame Rate]" ] || fail "no Frame Rate after the classic lines"
[ "$(sed -n 281p "$work/Config.txt" | tr -d '\r')" = "[Glow]" ] || fail "no Glow after the frame rate"
exit 0
