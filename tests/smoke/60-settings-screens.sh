#!/usr/bin/env bash
# The settings screens from the title's Options menu, with keys only: a louder effects
# volume, Hard as the starting level, the Keyboard scheme with a new bomb key and an
# 800 x 600 window. After "Exit Program" Config.txt holds all four, and the window had the
# new size. Every screen on the way is photographed; then a game is started with the new
# bomb key and the Keyboard Control screen is seen over the frozen game.
source "$(dirname "$0")/lib.bash"
start_game
sleep 1.5

# expect_menu SHOT WHAT: a screen's red title in the upper half, green rows in the lower.
expect_menu() {
    local g
    g=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Geometry: //p')
    local w=${g%x*} h=${g#*x}
    expect_lit "$1" "${w}x$((h / 2))+0+0" 200 0 0 "$2: title"
    expect_lit "$1" "${w}x$((h / 2))+0+$((h / 2))" 0 150 0 "$2: rows"
}

key Escape Up Up Return # Options -> Settings, past Replays
sleep 0.4
shot settings
expect_menu settings "Settings"

# Controls first, while the start-up's "Config file loaded." still shows on the pad screen.
key Up Up Return # Done -> Controls
sleep 0.3
shot controller
expect_menu controller "Controller Selection"
key Up Return # Configure Controls of "Dual Analog": the pad screen
sleep 0.4
shot dual_stick
expect_lit dual_stick 600x130+202+176 120 120 120 "the grey help panel"
expect_lit dual_stick 200x20+512+324 200 200 200 "Config file loaded."
key e
sleep 0.3
key Up Left # Type: Dual Analog -> Hybrid
key Down Return
sleep 0.3
shot hybrid
expect_menu hybrid "Hybrid Control"
key Escape Up Left Down Return # Joypad
sleep 0.3
shot joypad
expect_menu joypad "Joypad Control"
key Escape Up Left Left Down Return # Mouse
sleep 0.3
shot mouse
expect_menu mouse "Mouse Control"
key Escape Up Right Down Return # Keyboard
sleep 0.3
shot keyboard
expect_menu keyboard "Keyboard Control"
key Up Return # the Bomb row, waiting for a key
sleep 0.2
shot capture
xdotool keydown --window "$wid" b
sleep 0.15
xdotool keyup --window "$wid" b
sleep 0.2
shot captured
key Down Return # Done
sleep 0.2
key Escape # Controller Selection -> Settings, on Controls

key Down Return # Game
sleep 0.3
key Down Right # Starting Level: Hard
sleep 0.2
shot game
expect_menu game "Game Settings"
key Escape
sleep 0.3
shot keep_game
expect_menu keep_game "Keep Changes?"
key Up Return

key Up Up Up Return # Audio
sleep 0.3
key Down Right # SFX Volume 0.55
sleep 0.2
shot audio
expect_menu audio "Audio Settings"
key Escape

key Down Return # Video
sleep 0.3
key Up Up Up Up Up Up Left Left # Screen Size: SVGA (800X600)
sleep 0.2
shot video
expect_menu video "Video Settings"
key Escape Up Return # Keep Changes? Yes
sleep 1
geometry=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "800x600" ] || fail "the window is $geometry after the video change"
shot settings_800
expect_menu settings_800 "Settings at 800 x 600"

# A game with the new bomb key, then the Keyboard Control screen over the frozen game.
key Escape Escape # Settings -> Options -> Continue
sleep 0.5
key b
sleep 3.5
key Escape Up Up Return # Options -> Settings
sleep 0.3
key Up Up Return Up Return # Controls -> Configure Controls (Keyboard)
sleep 0.4
shot keyboard_in_game
expect_menu keyboard_in_game "Keyboard Control in a game"
key Return Escape Escape Escape # Done, and back to the game: Continue
sleep 0.5
key Escape Up Up Up Return # Exit Program
finish

for pair in "SFX Volume:55" "Difficulty:2" "Control Type:Keyboard" "Key Bomb:66" \
    "Screen Width:800" "Screen Height:600"; do
    k=${pair%%:*} v=${pair#*:}
    got=$(tr -d '\r' < "$work/Config.txt" | grep -A1 -x "\[$k\]" | tail -n1)
    [ "$got" = "$v" ] || fail "Config.txt has [$k] $got, not $v"
done
exit 0
