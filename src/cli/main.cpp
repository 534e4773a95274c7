// verosa-cli: runs any analysis without a display (see cli/Cli.h).
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(true);
    std::vector<std::string> args(argv + 1, argv + argc);
    return verosa::cli::run(args, std::cout, std::cerr);
}
