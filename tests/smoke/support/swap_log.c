/* Preloaded into the game by a smoke test: notes the time of every buffer swap, so the rate
   of presented frames is measured from outside the game. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static FILE* out;

void SDL_GL_SwapWindow(void* window) {
    static void (*real)(void*);
    if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    if (!out) {
        const char* path = getenv("VEX_SWAP_LOG");
        out = fopen(path ? path : "/dev/null", "w");
    }
    real(window);
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    if (out) fprintf(out, "%lld\n", (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000);
}

__attribute__((destructor)) static void done(void) {
    if (out) fclose(out);
}
