#pragma once
// A fuzzer of verosa-cli's contract. It learns every built analysis from its
// form's own declarations (text fields, lists with their item counts, option
// groups, check boxes, grid cells, array elements, buttons, example captions),
// builds random command lines from them with odd texts (huge, tiny, negative,
// not numbers, not UTF-8, control characters, very long), runs each in process
// through verosa::cli::run and checks what came back:
//   - the exit status is one of 0, 2, 3, 4, 64, 74 and no exception escapes;
//   - 0: a non-empty report, valid UTF-8, every line ended by CR LF (no bare CR
//     or LF), no other control character but TAB, no "nan"/"inf" and no
//     "@" or "#" of a pattern left in it;
//   - anything else: nothing on standard output and a message on standard error,
//     never the internal-error message.
// Each case has a seed of its own, derived from the run's seed and its index,
// so one failing case repeats alone.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace verosa::fuzz {

struct ListModel {
    std::string name;
    int items = 0;  // at creation; handlers may rebuild a list
};

struct GridModel {
    std::string name;
    int rows = 0, cols = 0;
};

// What the fuzzer knows of one analysis: the controls of its window, those on
// the page of its analysis button first (they are what the analysis reads).
struct AnalysisModel {
    std::string name;    // "walkway"
    std::string button;  // its analysis button
    bool built = false;
    std::vector<std::string> examples;      // captions
    std::vector<std::string> nearExamples;  // those on the analysis button's page
    struct Controls {
        std::vector<std::string> texts;  // text fields, array elements included
        std::vector<ListModel> lists;
        std::vector<std::string> options;
        std::vector<std::string> checks;
        std::vector<std::string> buttons;  // every button but the exit button
        std::vector<std::string> exits;    // the exit button (it closes the window)
        std::vector<GridModel> grids;
        std::vector<std::string> others;  // labels, frames, drawings: not settable
    };
    // On the analysis button's page and outside the tabs (all of the window
    // where the button stands outside the tabs), and on the other pages.
    Controls near;
    Controls far;
    // The texts each field holds after one of the examples, to vary.
    std::map<std::string, std::vector<std::string>> exampleTexts;
};

// Every analysis of the facility table, built or not, learnt from its form.
std::vector<AnalysisModel> learnAnalyses();

// A small, fully specified random source (the same numbers everywhere).
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    std::size_t below(std::size_t n);  // 0 .. n-1 (n > 0)
    bool chance(int percent);
    template <class T>
    const T& pick(const std::vector<T>& v) {
        return v[below(v.size())];
    }

private:
    std::uint64_t state_;
};

// The seed of case `index` of a run seeded with `seed`.
std::uint64_t caseSeed(std::uint64_t seed, std::uint64_t index);

// One generated case: the arguments, and the text of an --input file to write
// first where the arguments name one (kInputFilePlaceholder stands for its
// path).
struct FuzzCase {
    std::vector<std::string> args;
    std::optional<std::string> inputText;
};
inline constexpr const char* kInputFilePlaceholder = "@INPUT@";

// A field text of the odd kinds above, or a variation of an example's value.
std::string oddText(Random& random, const std::vector<std::string>& exampleValues);
FuzzCase generate(Random& random, const std::vector<AnalysisModel>& models);

// What one run gave back and whether it keeps the contract.
struct Outcome {
    int status = 0;
    std::string out, err;
    std::string escaped;  // the exception that escaped verosa::cli::run, if any
};
// A rule the outcome of `args` broke: what, and where (a byte of the report,
// or of the message where `inMessage`).
struct Breach {
    std::string what;
    std::size_t at = std::string::npos;
    bool inMessage = false;
};
// Nothing where the outcome keeps the contract. `list` prints plain lines;
// `run` a report with CR LF.
std::optional<Breach> contractBreach(const std::vector<std::string>& args, const Outcome& outcome);
// Valid UTF-8 in the strict sense (no overlong forms, surrogates or values
// beyond U+10FFFF); the offset of the first bad byte otherwise.
std::optional<std::size_t> invalidUtf8(const std::string& text);

// Runs a case in process. `inputPath` is where the --input text is written.
Outcome runCase(const FuzzCase& fuzzCase, const std::string& inputPath);

// The arguments as a shell command line that repeats them (bytes that are not
// printable written with $'...').
std::string shellQuoted(const std::vector<std::string>& args);

struct Failure {
    std::uint64_t index = 0;
    FuzzCase fuzzCase;
    Outcome outcome;
    Breach breach;
};

struct RunSummary {
    std::uint64_t cases = 0;
    std::map<int, std::uint64_t> statuses;  // exit status -> cases
    std::vector<Failure> failures;
};

// Runs cases first .. first+count-1 of `seed`. `beforeCase` (may be empty)
// hears of each case before it runs, with the command line that repeats it.
RunSummary runFuzz(std::uint64_t seed, std::uint64_t first, std::uint64_t count, const std::string& inputPath,
                   const std::function<void(std::uint64_t, const FuzzCase&)>& beforeCase = {});

}  // namespace verosa::fuzz
