// The instruments of the tunes, synthesised as IT samples. Sustained ones loop over a
// stretch in which every partial makes a whole number of cycles, so loops have no seam.
#pragma once

#include "music_it.h"

namespace instrument {

it_sample pad_warm();        // soft detuned saw pad, slow attack; root C4
it_sample pad_strings();     // brighter string ensemble with vibrato; root C4
it_sample bass_round();      // round sustained bass; root C2
it_sample bass_pluck();      // plucked saw bass with a closing filter; root C2
it_sample lead_soft();       // flute-like lead with breath; root C5
it_sample lead_bright();     // two detuned saws, a driving synth lead; root C5
it_sample brass();           // brass section with a bright swell; root C5
it_sample bell();            // FM bell; root C6
it_sample pluck();           // short square pluck for arpeggios; root C5
it_sample kick(float punch); // punch 0..1: soft thump to hard click
it_sample snare(float body); // body 0..1: tight to fat
it_sample hat_closed();
it_sample hat_open();
it_sample crash();
it_sample timpani(); // root G2
it_sample rim();

} // namespace instrument
