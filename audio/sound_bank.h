// The game's sound effects: one handle per WAV file of sounds/, loaded once at start-up,
// one play operation with rate, pan and volume, and eight held channels (the black holes' hum).
#pragma once

#include "media/media.h"

#include <vector>

// The effects volume setting, 0..1.
extern float sfx_volume;

constexpr int SFX_HELD_CHANNELS = 8;
// Held channels: their owners keep an index; an empty entry holds the null channel (0).
extern channel sfx_channels[SFX_HELD_CHANNELS];

extern sound snd_buzz3;      // a square spawns
extern sound snd_pop2;       // a pinwheel spawns
extern sound snd_pop3;       // a diamond spawns
extern sound snd_snake1;     // a cube spawns
extern sound snd_gruntborn;  // a seeker spawns
extern sound snd_sun1;       // a black hole spawns
extern sound snd_bondloop;   // black hole hum, loops until its channel is stopped
extern sound snd_sunhit1;    // a black hole is hit
extern sound snd_sizzle1;    // a black hole swallows something
extern sound snd_sunexp;     // a black hole overloads and explodes
extern sound snd_explo1_big; // a black hole is shot down or cleared (sounds/Explo1.wav)
extern sound snd_wee;        // a snake spawns
extern sound snd_snakehit;   // a snake's head is hit
extern sound snd_tailhit;    // a snake's tail is hit
extern sound snd_warn1;      // an interceptor spawns
extern sound snd_shield1;    // an interceptor locks on to the ship
extern sound snd_butterfly;  // a butterfly spawns
extern sound snd_cat;        // a generator spawns
extern sound snd_genhit1;    // a generator is hit
extern sound snd_genkilled1; // a generator is destroyed
extern sound snd_buzz1;      // a triangle spawns
extern sound snd_echo1;      // a linked triangle is hit and survives
extern sound snd_elastic;    // a triangle is destroyed
extern sound snd_bonus1;     // a power-up is collected
extern sound snd_startup;    // the get-ready sequence starts
extern sound snd_die1;       // the player's ship is destroyed
extern sound snd_shotborn;   // each volley the player fires
extern sound snd_shotwall;   // a shot dies
extern sound snd_gameover;   // the last ship is lost
extern sound snd_explo1;     // smart bomb (sounds/explo1.wav)
extern sound snd_brainborn;  // extra-ship award
extern sound snd_buzz2;      // extra-bomb award
extern sound snd_bonus2;     // the multiplier rises
extern sound snd_bonusborn;  // a milestone power-up is dropped
extern sound snd_bonus1b;    // high-score name entry (bonus1.wav, its own handle)
extern sound snd_quarkhit;   // most enemy kinds destroyed; name-entry keys
extern sound snd_quarkhit2;  // an interceptor destroyed

constexpr int SFX_BANK_SIZE = 37;
// The bank in load order, for code that walks every handle.
sound* sfx_bank_handle(int index); // 0..36, nullptr outside
const char* sfx_bank_path(int index);

// Loads the whole bank from "sounds/..." relative to the working directory (freeing any
// bank loaded before); a file that cannot be loaded leaves its handle empty (and says so
// on stderr).
void sound_bank_load();
// Frees every handle of the bank (shut-down and tests).
void sound_bank_free();

// Every play_sfx call while a test asks for it: which sound, where and how loud.
struct sfx_call {
    sound s;
    float rate, pan, volume;
};
extern bool sfx_log_enabled;
extern std::vector<sfx_call> sfx_log;

// Cues s paused, sets rate (unless exactly 1.0), pan and sfx_volume x volume, then resumes it.
// Returns the null channel when sfx_volume <= 0.
channel play_sfx(sound s, float rate, float pan, float volume);
// Moves a held sound with its source: pan and sfx_volume x volume.
void update_held_sfx(channel c, float pan, float volume);
// Sets every held channel's volume to sfx_volume (after the setting changes).
void set_sfx_channel_volume();
// Stops every held channel and empties its entry (a new game starts).
void stop_all_sfx();
