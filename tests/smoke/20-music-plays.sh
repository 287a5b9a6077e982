#!/usr/bin/env bash
# The attract screens play the title tune: SDL's disk audio driver records what the game
# sends to the audio device, and the recording must not be silence.
source "$(dirname "$0")/lib.bash"
export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$work/audio.raw"
start_game
# Four seconds of sound: stereo 32-bit float at 44100 Hz.
recorded() { [ "$(stat -c %s "$work/audio.raw" 2>/dev/null || echo 0)" -ge $((44100 * 8 * 4)) ]; }
wait_until "four seconds of audio" recorded
quit

[ -s "$work/audio.raw" ] || fail "no audio was written (is the disk driver in use?)"
# the device is opened as stereo 32-bit float at 44100 Hz
stats=$(sox -t raw -r 44100 -e floating-point -b 32 -c 2 "$work/audio.raw" -n stat 2>&1)
seconds=$(awk '/^Length/ { print $NF }' <<<"$stats")
rms=$(awk '/^RMS +amplitude/ { print $NF }' <<<"$stats")
peak=$(awk '/^Maximum amplitude/ { print $NF }' <<<"$stats")
[ -n "$rms" ] || fail "sox could not read the recording: $stats"
awk -v s="$seconds" 'BEGIN { exit !(s >= 2) }' || fail "only $seconds s of audio recorded"
awk -v r="$rms" -v p="$peak" 'BEGIN { exit !(r > 0.003 && p > 0.02) }' ||
    fail "the attract screens are silent (RMS $rms, peak $peak over $seconds s)"
awk -v p="$peak" 'BEGIN { exit !(p <= 1.0) }' || fail "the output clips (peak $peak)"
exit 0
