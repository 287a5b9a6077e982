// Background music: three tracker modules, one at a time, looping, at music_volume.
// The shell stops the music at each change of scene and starts the next tune.
#pragma once

// The music volume setting, 0..1; the player applies it as a level 0..100.
extern float music_volume;
// Non-zero while a tune is loaded and playing (0 = none).
extern int music_channel;
// No tune is loaded or played (a recorded game checked without sound).
extern bool music_off;

// Hooks the music into the mixer (call after media_init; harmless without an audio device).
void music_init();
// Stops the music and unhooks it.
void music_shutdown();

// "music/Theme0.it" (title), "music/Theme1.it" (in game), "music/Theme2.it" (high score);
// any other number gives the empty path.
const char* music_path(int tune);

// Starts tune n from its beginning, looping forever; does nothing while a tune is playing.
// A tune that cannot be loaded leaves the music off (the next call tries again).
void play_music(int tune);
// Stops the tune now playing, if any.
void stop_music();
// Applies music_volume to the tune now playing.
void set_music_volume();
// Sets music_volume (0..1) and applies it.
void set_music_volume(float volume);
// The level applied to the tune now playing, 0..100 (0 when nothing plays).
int music_level();
// Length of tune n's song before it loops, in seconds; 0 when it cannot be loaded.
double music_tune_seconds(int tune);
