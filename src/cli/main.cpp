// quarzel-cli: inspection and batch editing of 3dfx video BIOS images.
#include "cli/command_line.h"

int main(int argc, char** argv) { return quarzel::cli::run(argc, argv); }
