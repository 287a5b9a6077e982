#!/usr/bin/env bash
# The settings screens from the title's Options menu, with keys only: a louder effects
# volume, Hard as the starting level, the Keyboard scheme with a new bomb key and an
# 800 x 600 window. After "Exit Program" Config.txt holds all four, and the window had the
# new size. Every screen on the way is photographed; then a game is started with the new
# bomb key and the Keyboard Control screen is seen over the frozen game.
source "$(dirname "$0")/lib.bash"
start_game
wait_state title

# expect_menu SHOT WHAT: a screen's red title in the upper half, green rows in the lower.
expect_menu() {
    local g
    g=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Geometry: //p')
    local w=${g%x*} h=${g#*x}
    expect_lit "$1" "${w}x$((h / 2))+0+0" 200 0 0 "$2: title"
    expect_lit "$1" "${w}x$((h / 2))+0+$((h / 2))" 0 150 0 "$2: rows"
}
# screen TITLE [ROW]: waits for the menu of that title (over the title screen).
screen() { wait_state "title \| $1 \| ${2:-.*}"; }

key Escape
screen Options
pick Settings # past Replays
screen Settings Done
shot settings
expect_menu settings "Settings"

# Controls first, while the start-up's "Config file loaded." still shows on the pad screen.
pick Controls
screen "Controller Selection" Done
shot controller
expect_menu controller "Controller Selection"
pick "Configure Controls" # of "Dual Analog": the pad screen, over the same menu
wait_lit dual_stick 600x130+202+176 120 120 120 "the grey help panel"
expect_lit dual_stick 200x20+512+324 200 200 200 "Config file loaded."
key e
key Up
screen "Controller Selection" "Type: Dual Analog"
key Left
screen "Controller Selection" "Type: Hybrid"
key Down Return
screen "Hybrid Control"
shot hybrid
expect_menu hybrid "Hybrid Control"
key Escape
screen "Controller Selection" "Configure Controls"
key Up Left
screen "Controller Selection" "Type: Joypad"
key Down Return
screen "Joypad Control"
shot joypad
expect_menu joypad "Joypad Control"
key Escape
screen "Controller Selection" "Configure Controls"
key Up Left Left
screen "Controller Selection" "Type: Mouse"
key Down Return
screen "Mouse Control"
shot mouse
expect_menu mouse "Mouse Control"
key Escape
screen "Controller Selection" "Configure Controls"
key Up Right
screen "Controller Selection" "Type: Keyboard"
key Down Return
screen "Keyboard Control" Done
shot keyboard
expect_menu keyboard "Keyboard Control"
key Up Return # the Bomb row, waiting for a key
screen "Keyboard Control" "Bomb : "
shot capture
xdotool keydown --window "$wid" b
wait_frames 2
xdotool keyup --window "$wid" b
screen "Keyboard Control" "Bomb : B"
shot captured
key Down Return # Done
screen "Controller Selection" "Configure Controls"
key Escape
screen Settings Controls

key Down Return # Game
screen "Game Settings"
key Down Right
screen "Game Settings" "Starting Level: Hard"
shot game
expect_menu game "Game Settings"
key Escape
screen "Keep Changes\?" No
shot keep_game
expect_menu keep_game "Keep Changes?"
pick Yes
screen Settings Game

pick Audio
screen "Audio Settings"
key Down
screen "Audio Settings" "SFX Volume:"
key Right # SFX Volume 0.55
shot audio
expect_menu audio "Audio Settings"
key Escape
screen Settings Audio

key Down Return # Video
screen "Video Settings"
pick "Screen Size"
key Left Left
screen "Video Settings" "Screen Size: SVGA \(800X600\)"
shot video
expect_menu video "Video Settings"
key Escape
screen "Keep Changes\?" No
pick Yes
screen Settings Video
at_800() { [ "$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Geometry: //p')" = "800x600" ]; }
wait_until "an 800x600 window after the video change" at_800
wait_frames 3
shot settings_800
expect_menu settings_800 "Settings at 800 x 600"

# A game with the new bomb key, then the Keyboard Control screen over the frozen game.
key Escape
screen Options
key Escape # Continue
wait_state "title|top scores|friends|enemies"
key b
wait_state play
key Escape
wait_state "play \| Options \| Continue"
pick Settings
wait_state "play \| Settings \| Done"
pick Controls
wait_state "play \| Controller Selection \| Done"
pick "Configure Controls"
wait_state "play \| Keyboard Control \| Done"
shot keyboard_in_game
expect_menu keyboard_in_game "Keyboard Control in a game"
key Return # Done
wait_state "play \| Controller Selection \| Configure Controls"
key Escape
wait_state "play \| Settings \| Controls"
key Escape
wait_state "play \| Options \| Settings"
key Escape # Continue
wait_state play
quit

for pair in "SFX Volume:55" "Difficulty:2" "Control Type:Keyboard" "Key Bomb:66" \
    "Screen Width:800" "Screen Height:600"; do
    k=${pair%%:*} v=${pair#*:}
    got=$(tr -d '\r' < "$work/Config.txt" | grep -A1 -x "\[$k\]" | tail -n1)
    [ "$got" = "$v" ] || fail "Config.txt has [$k] $got, not $v"
done
exit 0
