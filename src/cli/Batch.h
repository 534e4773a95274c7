#pragma once
// verosa-cli batch: many cases in one process. Each line of the input is a
// case as --input reads it, with its analysis (JSON Lines); each runs through
// the same reader and form model as `run` (cli/Case.h), on a pool of workers
// that share one table store, so every table is read once per batch. One JSON
// object per case goes to the output in input order (or one CSV table for a
// batch of one analysis); `--reports DIR` also writes each case's report.
//
// Memory stays bounded whatever the batch's length: lines are read and
// handed out in chunks, and only a few chunks per worker are in flight before
// the oldest is written.
#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace verosa::cli {

// The file cannot be read (sysexits' EX_DATAERR, as the batch contract fixes it).
constexpr int kUnreadable = 65;

// The longest line read as a case; a longer one is a bad case, skipped
// without being held.
constexpr std::size_t kMaxCaseLineBytes = 1024 * 1024;

struct BatchOptions {
    bool csv = false;
    std::optional<std::filesystem::path> reports;  // DIR of <line>.txt
    unsigned jobs = 1;
    // The progress line on the error stream: asked for where it is a terminal.
    bool progress = false;
    // The number of cases, where known beforehand (a regular file), for the
    // progress line.
    std::optional<std::size_t> total;
};

// Runs the cases of `in` and writes their results to `out`; messages and the
// progress line go to `err`. The exit status: 0 when every line was read,
// kUnreadable when the input could not be read, 74 when a result or report
// could not be written.
int runBatch(std::istream& in, const BatchOptions& options, std::ostream& out, std::ostream& err);

// `verosa-cli batch FILE [--csv] [--reports DIR] [--jobs N]` (args[0] is
// "batch"; FILE "-" reads standard input).
int batchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A CSV field as RFC 4180 writes it: quoted (inner quotes doubled) where it
// holds a comma, a quote, CR or LF.
std::string csvField(const std::string& text);

}  // namespace verosa::cli
