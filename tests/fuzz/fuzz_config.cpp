// Any bytes as Config.txt: loading must never crash, hang or leave a setting that
// indexes a table out of range.
#include "controls/config.h"
#include "controls/controls.h"
#include "controls/joypad.h"
#include "playfield/grid.h"
#include "playfield/grid_draw.h"
#include "playfield/particles.h"
#include "playfield/stars.h"
#include "shell/display.h"
#include "shell/game_state.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool in_temp = [] {
        char tmpl[] = "/tmp/vexlume-fuzz-XXXXXX";
        return mkdtemp(tmpl) && chdir(tmpl) == 0;
    }();
    if (!in_temp) abort();
    FILE* f = fopen("Config.txt", "wb");
    if (!f) abort();
    fwrite(data, 1, size, f);
    fclose(f);
    config_load();
    if (difficulty < 0 || difficulty > 2 || used_port < 0 || used_port > 3 || gfx_set < 0 ||
        gfx_set > 3 || grid_spacing < 0 || grid_spacing > 3 || show_stars < 0 ||
        show_stars > 1000 || particle_count < 0 || particle_count > PARTICLE_MAX ||
        particle_style < 0 || particle_style > 3 || control_type < 0 || control_type > 4)
        abort();
    for (const auto& p : joypads)
        for (int a : {p.move_x_axis, p.move_y_axis, p.fire_x_axis, p.fire_y_axis})
            if (a < 0 || a > 15) abort();
    return 0;
}
