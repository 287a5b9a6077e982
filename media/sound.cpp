// Sound effects: a stand-in that loads nothing and plays nothing until the mixer lands.
#include "media.h"
#include "mixer.h"

#include <cstring>

sound load_sound(const std::string&, bool) { return nullptr; }
void free_sound(sound) {}
channel play_sound(sound) { return 0; }
channel cue_sound(sound) { return 0; }
void set_channel_volume(channel, float) {}
void set_channel_pan(channel, float) {}
void set_channel_rate(channel, float) {}
void pause_channel(channel) {}
void resume_channel(channel) {}
void stop_channel(channel) {}
bool channel_playing(channel) { return false; }

void mixer_reset() {}
void mixer_render(float* out, int frames) {
    if (out && frames > 0) std::memset(out, 0, sizeof(float) * size_t(frames) * 2);
}
