// What the program shows, told to the window tests so they act when it is there, not after a
// guessed time. With VEX_STATE_LOG=FILE in the environment, every change of the screen, the
// menu open over it or that menu's selected row is appended to FILE as one line
// ("screen | menu title | selected row") once the frame that shows it is presented, and
// FILE.frames always holds the number of frames presented so far and the play steps of the
// game (a test that pressed a key waits for a few more frames before it looks, one that
// flies waits for steps). It only reads; without the variable it does nothing.
#pragma once

void state_log_start();
