// The program's options; with none, the game itself.
#pragma once

int command_line_main(int argc, char** argv);
