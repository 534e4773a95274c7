// verosa-bench: what an analysis costs, and what a batch costs per case.
//
//   Analysis/<analysis>/<example>  the analysis button on a window holding the
//                                  example: inputs read, computed, report written
//   Case/<analysis>/<example>      one batch case end to end: the JSON line
//                                  read, the window created (tables shared),
//                                  the example applied, the analysis run and
//                                  its headlines taken
//   Batch/mixed                    verosa-cli batch in process on every example
//                                  in turn (10,000 cases), results written to
//                                  a discarding stream, all cores
//
// Built with the programs, never run by the tests:
//   ./build/bin/verosa-bench --benchmark_filter=Batch
#include <benchmark/benchmark.h>

#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "analyses/Registry.h"
#include "cli/Batch.h"
#include "cli/Case.h"
#include "cli/Cli.h"
#include "tables/LookupTable.h"

namespace {

using namespace verosa;

// Every (analysis, example) whose analysis runs to a result.
std::vector<std::pair<std::string, std::string>> runningExamples(const tables::LookupTableStore& store) {
    std::vector<std::pair<std::string, std::string>> found;
    for (const analyses::AnalysisRef& ref : analyses::allAnalyses()) {
        if (!ref.facility->built()) continue;
        form::AnalysisIndex index{ref.facility->modeKey};
        auto probe = ref.facility->create({&index, nullptr});
        for (const form::Control* button : probe->exampleButtons()) {
            const std::string line =
                "{\"analysis\":\"" + ref.analysis->name + "\",\"example\":\"" + button->caption + "\"}";
            if (cli::runCase(line, store, false).status == cli::CaseOutcome::Status::Ok)
                found.emplace_back(ref.analysis->name, button->caption);
        }
    }
    return found;
}

std::string caseLine(const std::string& analysis, const std::string& example) {
    return "{\"analysis\":\"" + analysis + "\",\"example\":\"" + example + "\"}";
}

void analysisButton(benchmark::State& state, const tables::LookupTableStore* store, std::string analysis,
                    std::string example) {
    const analyses::AnalysisRef ref = analyses::findAnalysis(analysis);
    form::AnalysisIndex index{ref.facility->modeKey};
    auto form = ref.facility->create({&index, store});
    form->open();
    form->press(form->exampleButton(example)->name);
    for (auto _ : state) {
        const form::Outcome o = form->press(ref.analysis->button);
        if (!o.ok()) state.SkipWithError("the analysis did not run");
        benchmark::DoNotOptimize(o);
    }
}

void oneCase(benchmark::State& state, const tables::LookupTableStore* store, std::string line) {
    for (auto _ : state) {
        cli::CaseOutcome o = cli::runCase(line, *store, false);
        if (o.status != cli::CaseOutcome::Status::Ok) state.SkipWithError("the case did not run");
        benchmark::DoNotOptimize(o);
    }
}

// A stream that throws away what it is given.
class Discard : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
    int overflow(int c) override { return traits_type::not_eof(c); }
};

void wholeBatch(benchmark::State& state, std::string input, std::size_t cases) {
    cli::BatchOptions options;
    options.jobs = std::max(1u, std::thread::hardware_concurrency());
    Discard discard;
    std::ostream out(&discard);
    std::ostringstream err;
    for (auto _ : state) {
        std::istringstream in(input);
        if (cli::runBatch(in, options, out, err) != cli::kSuccess) state.SkipWithError(err.str().c_str());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(cases));
}

}  // namespace

int main(int argc, char** argv) {
    static const tables::LookupTableStore store(tables::LookupTableStore::Sets::Shared);
    const auto examples = runningExamples(store);
    for (const auto& [analysis, example] : examples) {
        benchmark::RegisterBenchmark(("Analysis/" + analysis + "/" + example).c_str(), analysisButton, &store, analysis,
                                     example);
        benchmark::RegisterBenchmark(("Case/" + analysis + "/" + example).c_str(), oneCase, &store,
                                     caseLine(analysis, example));
    }
    constexpr std::size_t kCases = 10000;
    std::string input;
    for (std::size_t i = 0; i < kCases; ++i) {
        const auto& [analysis, example] = examples[i % examples.size()];
        input += caseLine(analysis, example) + "\n";
    }
    benchmark::RegisterBenchmark("Batch/mixed", wholeBatch, input, kCases)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
