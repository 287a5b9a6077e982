#!/usr/bin/env bash
# A whole visit: title, bomb to start, GET READY, play with the border and status line,
# Options -> End Game -> Yes, back to the title, Options -> Exit Program. The game must
# leave with status 0 and write Config.txt again.
source "$(dirname "$0")/lib.bash"
start_game
sleep 1.5
shot title
expect_bright title 700x200+160+200 60 "title text"

key space
sleep 0.6
shot ready
expect_lit ready 500x200+262+200 0 150 0 "GET READY"

sleep 2.5
shot play
expect_lit play 200x40+0+0 0 200 0 "score line"
expect_lit play 4x700+0+30 50 50 150 "left border"
expect_lit play 4x700+1020+30 50 50 150 "right border"

key Escape
sleep 0.3
shot menu
expect_lit menu 300x40+232+254 200 0 0 "Options title"
key Up Return
sleep 0.3
shot confirm
key Up Return
sleep 1
shot back
expect_bright back 700x200+160+200 60 "title text after the game"

key Escape Up Up Up Return
finish
cmp -s "$work/Config.txt" "$work/Config.start" && fail "Config.txt was not written again"
lines=$(wc -l < "$work/Config.txt")
[ "$lines" -eq 280 ] || fail "Config.txt has $lines lines"
# The classic lines first, then what this game adds.
[ "$(sed -n 279p "$work/Config.txt" | tr -d '\r')" = "[Frame Rate]" ] || fail "no Frame Rate after the classic lines"
exit 0
