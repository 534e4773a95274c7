#pragma once
// verosa-cli: every analysis without a display. It opens an analysis's form as
// its menu command would, applies an example, file controls and --set/--press in
// order with the same change handling as the window, presses the analysis
// button and prints what the result view holds afterwards.
#include <iosfwd>
#include <string>
#include <vector>

namespace verosa::cli {

enum ExitStatus : int {
    kSuccess = 0,
    kRefused = 2,       // input refused before computing
    kFailed = 3,        // arithmetic failure while computing
    kMissingTable = 4,  // a table file or table is missing
    kWriteFailed = 74,  // the report could not be written to standard output
    kUsage = 64,        // unknown analysis, control, example or value
};

// args excludes the program name.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace verosa::cli
