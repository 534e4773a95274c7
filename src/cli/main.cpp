// verosa-cli: runs any analysis without a display (see cli/Cli.h).
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    // A reader that goes away early (`verosa-cli ... | head -1`) makes the
    // write fail, which ends the run with its own status instead of a signal.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(true);
    std::vector<std::string> args(argv + 1, argv + argc);
    return verosa::cli::run(args, std::cout, std::cerr);
}
