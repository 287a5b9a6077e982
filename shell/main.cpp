#include "shell/game.h"

int main() { return game_main(); }
