// Frames shown between two game steps draw the world between them. At the start of every
// step the game remembers where each drawn thing stands; a frame then moves everything a
// fraction of the way from there to where it stands now, draws, and puts every value back
// exactly as it was, so the game itself never sees the difference.
#pragma once

// Where the camera is drawn: camera_x/y, or between two steps while a frame is posed.
float view_x();
float view_y();
// True while a frame between two steps is being drawn.
bool pose_active();

// The start of a step: where everything stands now is where the next frames start from.
void pose_remember();
// Moves every drawn thing `alpha` of the way from the remembered step to now (1: now). Things
// born since, or moved by a jump, stay where they are.
void pose_at(float alpha);
// Puts back exactly what pose_at moved.
void pose_restore();
// Frames during which a drawing added or removed an object (each is also said on stderr once):
// drawing must change nothing, so tests expect 0.
int pose_faults();

// Draws `draw` with the world posed at alpha; whatever way `draw` leaves, everything is put back.
template <class F> void draw_posed(float alpha, F&& draw) {
    struct put_back {
        ~put_back() { pose_restore(); }
    } guard;
    pose_at(alpha);
    draw();
}
