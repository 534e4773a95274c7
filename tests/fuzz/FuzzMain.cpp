// verosa_fuzz: runs generated command lines through verosa-cli's entry point
// and checks its contract (see CliFuzz.h).
//
//   verosa_fuzz [--seed N] [--count N] [--case I] [--timeout SECONDS]
//
// The seed and the count may also come from VEROSA_FUZZ_SEED and
// VEROSA_FUZZ_COUNT (the arguments win). --case I runs case I of the seed
// alone and shows what it gave. Exit status 1 when a case breaks the contract.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include "fuzz/CliFuzz.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define VEROSA_FUZZ_SANITIZED 1
#endif

namespace {

using namespace verosa::fuzz;

constexpr std::uint64_t kDefaultSeed = 20010101;
constexpr std::uint64_t kDefaultCount = 3000;

// The case running now, ready for a signal handler to write.
char currentCase[4096];
std::size_t currentCaseLength = 0;

void writeCurrentCase() {
    const char heading[] = "\nverosa_fuzz: stopped during ";
    if (::write(2, heading, sizeof heading - 1) < 0) return;
    if (::write(2, currentCase, currentCaseLength) < 0) return;
}

extern "C" void onFatalSignal(int signal) {
    writeCurrentCase();
    if (signal == SIGALRM) {
        const char text[] = "verosa_fuzz: the case ran longer than its time limit\n";
        if (::write(2, text, sizeof text - 1) < 0) {
        }
        ::_exit(1);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

#ifdef VEROSA_FUZZ_SANITIZED
// An address error ends through the death callback; an undefined-behaviour
// finding through abort(), so that the SIGABRT handler names the case too.
extern "C" void onSanitizerDeath() { writeCurrentCase(); }
extern "C" const char* __ubsan_default_options() { return "abort_on_error=1:print_stacktrace=1"; }
#endif

std::uint64_t parseCount(const char* text, const char* what) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long v = std::strtoull(text, &end, 0);
    if (errno != 0 || end == text || *end != '\0') {
        std::cerr << "verosa_fuzz: not a number for " << what << ": " << text << '\n';
        std::exit(2);
    }
    return v;
}

// An argument as a failure report shows it: long ones shortened.
std::string shortened(const std::vector<std::string>& args, bool& cut) {
    std::vector<std::string> shown;
    for (const std::string& a : args) {
        if (a.size() > 200) {
            cut = true;
            shown.push_back(a.substr(0, 60) + "...<" + std::to_string(a.size()) + " bytes>");
        } else {
            shown.push_back(a);
        }
    }
    return shellQuoted(shown);
}

std::string repeatCommand(std::uint64_t seed, std::uint64_t index) {
    return "verosa_fuzz --seed " + std::to_string(seed) + " --case " + std::to_string(index);
}

void rememberCase(std::uint64_t seed, std::uint64_t index, const FuzzCase& fc) {
    bool cut = false;
    std::string text = "case " + std::to_string(index) + " (repeat: " + repeatCommand(seed, index) +
                       ")\n  verosa-cli " + shortened(fc.args, cut) + "\n";
    if (text.size() > sizeof currentCase) text.resize(sizeof currentCase);
    std::memcpy(currentCase, text.data(), text.size());
    currentCaseLength = text.size();
}

// The line of `text` that holds byte `at`, with the line before it.
std::string linesAround(const std::string& text, std::size_t at) {
    constexpr std::size_t none = std::string::npos;
    if (at >= text.size()) at = text.empty() ? 0 : text.size() - 1;
    std::size_t line = at == 0 ? none : text.rfind('\n', at - 1);
    line = line == none ? 0 : line + 1;
    std::size_t before = line < 2 ? none : text.rfind('\n', line - 2);
    before = line == 0 ? 0 : before == none ? 0 : before + 1;
    std::size_t end = text.find('\n', at);
    end = end == none ? text.size() : end + 1;
    return shellQuoted({text.substr(before, std::min<std::size_t>(end - before, 800))});
}

void describe(std::ostream& os, std::uint64_t seed, const Failure& f) {
    bool cut = false;
    const Outcome& o = f.outcome;
    os << "case " << f.index << ": " << f.breach.what << "\n  repeat: " << repeatCommand(seed, f.index)
       << "\n  verosa-cli " << shortened(f.fuzzCase.args, cut) << '\n';
    if (f.fuzzCase.inputText) os << "  --input file: " << shortened({*f.fuzzCase.inputText}, cut) << '\n';
    os << "  status " << o.status << '\n';
    const std::string& where = f.breach.inMessage ? o.err : o.out;
    if (!where.empty())
        os << (f.breach.inMessage ? "  stderr: " : "  stdout: ")
           << linesAround(where, f.breach.at == std::string::npos ? 0 : f.breach.at) << '\n';
    if (!f.breach.inMessage && !o.err.empty()) os << "  stderr: " << shellQuoted({o.err.substr(0, 400)}) << '\n';
}

// --case I: the case, what it gave (the report as it stands) and its verdict.
int runOne(std::uint64_t seed, std::uint64_t index, const std::string& inputPath) {
    Random random(caseSeed(seed, index));
    const FuzzCase fc = generate(random, learnAnalyses());
    rememberCase(seed, index, fc);
    bool cut = false;
    std::cout << "verosa-cli " << shortened(fc.args, cut) << '\n';
    if (fc.inputText) std::cout << "--input file: " << shortened({*fc.inputText}, cut) << '\n';
    const Outcome o = runCase(fc, inputPath);
    std::error_code ignored;
    std::filesystem::remove(inputPath, ignored);
    std::cout << "status " << o.status << "\n--- stderr\n" << o.err << "--- stdout\n" << o.out << "---\n";
    const auto breach = contractBreach(fc.args, o);
    std::cout << (breach ? "breaks the contract: " + breach->what : std::string("keeps the contract")) << '\n';
    return breach ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = kDefaultSeed;
    std::uint64_t count = kDefaultCount;
    std::uint64_t first = 0;
    bool single = false;
    unsigned timeout = 60;
    if (const char* env = std::getenv("VEROSA_FUZZ_SEED")) seed = parseCount(env, "VEROSA_FUZZ_SEED");
    if (const char* env = std::getenv("VEROSA_FUZZ_COUNT")) count = parseCount(env, "VEROSA_FUZZ_COUNT");
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) {
            std::cerr << "usage: verosa_fuzz [--seed N] [--count N] [--case I] [--timeout SECONDS]\n";
            return 2;
        }
        const char* value = argv[++i];
        if (a == "--seed") {
            seed = parseCount(value, "--seed");
        } else if (a == "--count") {
            count = parseCount(value, "--count");
        } else if (a == "--case") {
            first = parseCount(value, "--case");
            single = true;
        } else if (a == "--timeout") {
            timeout = static_cast<unsigned>(parseCount(value, "--timeout"));
        } else {
            std::cerr << "verosa_fuzz: unknown argument " << a << '\n';
            return 2;
        }
    }
    // A crash or a hang names the case it happened in (under the sanitizers
    // their own report comes first, then the case).
    std::signal(SIGALRM, onFatalSignal);
    std::signal(SIGABRT, onFatalSignal);
#ifdef VEROSA_FUZZ_SANITIZED
    __sanitizer_set_death_callback(onSanitizerDeath);
#else
    for (int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL}) std::signal(s, onFatalSignal);
#endif

    const std::string inputPath =
        (std::filesystem::temp_directory_path() / ("verosa-fuzz-" + std::to_string(::getpid()) + ".json")).string();
    std::error_code ignored;
    if (single) return runOne(seed, first, inputPath);
    const RunSummary summary = runFuzz(seed, first, count, inputPath, [&](std::uint64_t index, const FuzzCase& fc) {
        rememberCase(seed, index, fc);
        ::alarm(timeout);
    });
    ::alarm(0);
    std::filesystem::remove(inputPath, ignored);

    std::cout << "verosa_fuzz: seed " << seed << ", " << summary.cases << " cases; exit statuses:";
    for (const auto& [status, n] : summary.statuses) std::cout << ' ' << status << " x" << n;
    std::cout << "; " << summary.failures.size() << " broke the contract\n";
    if (summary.failures.empty()) return 0;

    // Each kind of breach in each analysis once, then the count of the rest.
    std::map<std::string, std::uint64_t> kinds;
    std::size_t shown = 0;
    for (const Failure& f : summary.failures) {
        const std::string analysis = f.fuzzCase.args.size() > 1 ? f.fuzzCase.args[1] : f.fuzzCase.args[0];
        const std::string kind = analysis + ": " + f.breach.what.substr(0, f.breach.what.find(':'));
        if (kinds[kind]++ == 0 && shown < 40) {
            describe(std::cout, seed, f);
            ++shown;
        }
    }
    std::cout << "breaches by analysis and kind:\n";
    for (const auto& [kind, n] : kinds) std::cout << "  " << n << " x " << kind << '\n';
    return 1;
}
