// assetgen OUTDIR: draws and synthesises every asset the game loads into OUTDIR.
// assetgen --icons OUTDIR: the desktop icons, in the hicolor theme's size folders.
#include <cstdio>
#include <string>

#include "icon.h"
#include "images.h"
#include "music_gen.h"
#include "sounds.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--icons") return gen_icons(argv[2]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen OUTDIR | assetgen --icons OUTDIR\n");
        return 2;
    }
    const std::string outdir = argv[1];
    bool ok = gen_images(outdir);
    ok = gen_sounds(outdir) && ok;
    ok = gen_music(outdir) && ok;
    return ok ? 0 : 1;
}
