// Any bytes as hiscores.dat: loading must never crash or hang, and whatever table it reads
// must save and load back exactly.
#include "shell/score.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In memory where there is a tmpfs: every save syncs its file to disk.
    static bool in_temp = [] {
        char shm[] = "/dev/shm/vexlume-fuzz-XXXXXX";
        char tmp[] = "/tmp/vexlume-fuzz-XXXXXX";
        const char* dir = mkdtemp(shm);
        if (!dir) dir = mkdtemp(tmp);
        return dir && chdir(dir) == 0;
    }();
    if (!in_temp) abort();
    FILE* f = fopen("hiscores.dat", "wb");
    if (!f) abort();
    fwrite(data, 1, size, f);
    fclose(f);
    hiscores_load();

    int scores[10][3];
    std::string times[10][3], names[10][3];
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++) {
            scores[r][d] = hiscore_scores[r][d];
            times[r][d] = hiscore_times[r][d];
            names[r][d] = hiscore_names[r][d];
        }
    if (!hiscores_save()) abort();
    hiscores_builtin();
    hiscores_load();
    for (int d = 0; d < 3; d++)
        for (int r = 0; r < 10; r++)
            if (hiscore_scores[r][d] != scores[r][d] || hiscore_times[r][d] != times[r][d] ||
                hiscore_names[r][d] != names[r][d])
                abort();

    // A game's score goes into whatever table was read.
    int rank = hiscore_insert(scores[4][1], "fuzzer  ", "1 sec", 1);
    if (rank < 0 || rank > 10 || lowest_top_score != hiscore_scores[9][1]) abort();
    return 0;
}
