#include "cli/Commands.h"

// orvalen-sub runs this program for its probe command.
int main(int argc, char** argv) {
    return orvalen::cli::RunProbe(argc - 1, argv + 1);
}
