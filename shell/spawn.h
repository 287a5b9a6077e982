// The spawn director: from the frame counter alone, which enemies appear and where.
#pragma once

struct spawn_stream {
    int kind = 0, place = 0, countdown = 0;
};
extern spawn_stream stream_a, stream_b, stream_c, stream_d;

// Enemies the director asked for, by spawn index (0 pinwheel ... 10 generator).
extern long spawns_by_kind[11];

void spawn_director(int t);
// One enemy of spawn index kind at placement code place (nothing while a cooldown runs).
void spawn_group(int kind, int delay, int place, int period, int gen_kind, int size);
int pick_kind(int t);
// A new game and every cleared board stop the streams.
void spawn_streams_reset();
