#include "shell/command_line.h"

int main(int argc, char** argv) { return command_line_main(argc, argv); }
