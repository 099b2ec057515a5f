// Entry of the korvane command.
#include "driver/korvane_main.h"

int main(int argc, char** argv) { return korvane_main(argc, argv); }
