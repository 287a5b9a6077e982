// assetgen OUTDIR: draws and synthesises every asset the game loads into OUTDIR.
#include <cstdio>
#include <string>

#include "images.h"
#include "music_gen.h"
#include "sounds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen OUTDIR\n");
        return 2;
    }
    const std::string outdir = argv[1];
    bool ok = gen_images(outdir);
    ok = gen_sounds(outdir) && ok;
    ok = gen_music(outdir) && ok;
    return ok ? 0 : 1;
}
