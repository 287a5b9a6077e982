// The sound bank: every effect the game plays, and the held channels of looping sounds.
#include "sound_bank.h"

#include "shell/folders.h"

float sfx_volume = 0.5f;
channel sfx_channels[SFX_HELD_CHANNELS] = {};

sound snd_buzz3, snd_pop2, snd_pop3, snd_snake1, snd_gruntborn, snd_sun1, snd_bondloop, snd_sunhit1,
    snd_sizzle1, snd_sunexp, snd_explo1_big, snd_wee, snd_snakehit, snd_tailhit, snd_warn1,
    snd_shield1, snd_butterfly, snd_cat, snd_genhit1, snd_genkilled1, snd_buzz1, snd_echo1,
    snd_elastic, snd_bonus1, snd_startup, snd_die1, snd_shotborn, snd_shotwall, snd_gameover,
    snd_explo1, snd_brainborn, snd_buzz2, snd_bonus2, snd_bonusborn, snd_bonus1b, snd_quarkhit,
    snd_quarkhit2;

namespace {
struct bank_entry {
    sound* handle;
    const char* path;
    bool loop;
};

// Load order; Explo1.wav and explo1.wav are two files, bonus1.wav is loaded twice.
const bank_entry bank[SFX_BANK_SIZE] = {
    {&snd_buzz3, "sounds/buzz3.wav", false},
    {&snd_pop2, "sounds/pop2.wav", false},
    {&snd_pop3, "sounds/pop3.wav", false},
    {&snd_snake1, "sounds/snake1.wav", false},
    {&snd_gruntborn, "sounds/gruntborn.wav", false},
    {&snd_sun1, "sounds/sun1.wav", false},
    {&snd_bondloop, "sounds/bondloop.wav", true}, // the hum runs until its channel is stopped
    {&snd_sunhit1, "sounds/sunhit1.wav", false},
    {&snd_sizzle1, "sounds/sizzle1.wav", false},
    {&snd_sunexp, "sounds/sunexp.wav", false},
    {&snd_explo1_big, "sounds/Explo1.wav", false},
    {&snd_wee, "sounds/wee.wav", false},
    {&snd_snakehit, "sounds/snakehit.wav", false},
    {&snd_tailhit, "sounds/tailhit.wav", false},
    {&snd_warn1, "sounds/warn1.wav", false},
    {&snd_shield1, "sounds/shield1.wav", false},
    {&snd_butterfly, "sounds/butterfly.wav", false},
    {&snd_cat, "sounds/cat.wav", false},
    {&snd_genhit1, "sounds/genhit1.wav", false},
    {&snd_genkilled1, "sounds/genkilled1.wav", false},
    {&snd_buzz1, "sounds/buzz1.wav", false},
    {&snd_echo1, "sounds/echo1.wav", false},
    {&snd_elastic, "sounds/elastic.wav", false},
    {&snd_bonus1, "sounds/bonus1.wav", false},
    {&snd_startup, "sounds/startup.wav", false},
    {&snd_die1, "sounds/die1.wav", false},
    {&snd_shotborn, "sounds/shotborn.wav", false},
    {&snd_shotwall, "sounds/shotwall.wav", false},
    {&snd_gameover, "sounds/gameover.wav", false},
    {&snd_explo1, "sounds/explo1.wav", false},
    {&snd_brainborn, "sounds/brainborn.wav", false},
    {&snd_buzz2, "sounds/buzz2.wav", false},
    {&snd_bonus2, "sounds/bonus2.wav", false},
    {&snd_bonusborn, "sounds/bonusborn.wav", false},
    {&snd_bonus1b, "sounds/bonus1.wav", false},
    {&snd_quarkhit, "sounds/quarkhit.wav", false},
    {&snd_quarkhit2, "sounds/quarkhit2.wav", false},
};
} // namespace

sound* sfx_bank_handle(int index) {
    return index >= 0 && index < SFX_BANK_SIZE ? bank[index].handle : nullptr;
}

const char* sfx_bank_path(int index) {
    return index >= 0 && index < SFX_BANK_SIZE ? bank[index].path : "";
}

void sound_bank_load() {
    sound_bank_free(); // a second start-up in the same process reloads rather than leaks
    for (const bank_entry& e : bank) *e.handle = load_sound(asset_path(e.path), e.loop);
}

void sound_bank_free() {
    for (const bank_entry& e : bank) {
        free_sound(*e.handle);
        *e.handle = nullptr;
    }
}

bool sfx_log_enabled = false;
std::vector<sfx_call> sfx_log;

channel play_sfx(sound s, float rate, float pan, float volume) {
    if (sfx_log_enabled) sfx_log.push_back({s, rate, pan, volume});
    if (sfx_volume <= 0) return 0;
    channel c = cue_sound(s);
    if (rate != 1.0f) set_channel_rate(c, rate);
    set_channel_pan(c, pan);
    set_channel_volume(c, sfx_volume * volume);
    resume_channel(c);
    return c;
}

void update_held_sfx(channel c, float pan, float volume) {
    if (c == 0 || sfx_volume <= 0) return;
    set_channel_pan(c, pan);
    set_channel_volume(c, sfx_volume * volume);
}

void set_sfx_channel_volume() {
    for (channel c : sfx_channels)
        if (c != 0) set_channel_volume(c, sfx_volume);
}

void stop_all_sfx() {
    for (channel& c : sfx_channels) {
        if (c == 0) continue;
        stop_channel(c);
        c = 0;
    }
}
