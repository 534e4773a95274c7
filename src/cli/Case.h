#pragma once
// One case as verosa-cli reads and runs it: the JSON object of an --input file
// or of a batch line ({"analysis": ..., "example": ..., "controls": {...}}),
// run through the analysis's form exactly as `run` runs it. `run` prints one
// case; `batch` runs many, each through this one reader and runner.
#include <string>
#include <string_view>
#include <vector>

#include "form/Headline.h"

namespace verosa::tables {
class LookupTableStore;
}

namespace verosa::cli {

struct CaseOutcome {
    enum class Status {
        Ok,            // the analysis ran: rendering and headlines hold its results
        Refused,       // input refused before computing (run's exit 2)
        Failed,        // arithmetic failure while computing (exit 3), or a fault of the program
        MissingTable,  // a table file or table is missing (exit 4)
        BadCase,       // not a case: no JSON object, an unknown analysis, control, example or value (exit 64)
    };
    Status status = Status::BadCase;
    std::string analysis;                   // as the case names it; empty where it names none
    std::string message;                    // the refusal's, failure's or bad case's message
    std::string rendering;                  // Ok: what `run` prints (wanted only)
    std::vector<form::Headline> headlines;  // Ok: the analysis's headline results
};

// Reads the case in `json` and runs it with the tables of `store`;
// `withRendering` also keeps what `run` would print. Never throws.
CaseOutcome runCase(std::string_view json, const tables::LookupTableStore& store, bool withRendering);

// Every headline name of an analysis, in order (docs/headlines.md); empty for
// an unknown analysis or one that is not built.
std::vector<std::string> headlineNamesOf(const std::string& analysis);

// The built analyses' names, in menu order.
std::vector<std::string> builtAnalyses();

}  // namespace verosa::cli
