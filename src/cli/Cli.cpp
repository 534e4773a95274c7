#include "cli/Cli.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include <nlohmann/json.hpp>

#include "analyses/Registry.h"
#include "cli/Batch.h"
#include "cli/Case.h"
#include "form/Case.h"
#include "form/Form.h"
#include "form/Utf8.h"
#include "numeric/Result.h"
#include "tables/LookupTable.h"

namespace verosa::cli {

namespace {

using form::Control;
using form::ControlKind;
using form::Form;
using form::Outcome;

const char* const kUsageText =
    "usage: verosa-cli list\n"
    "       verosa-cli run ANALYSIS [--example CAPTION] [--set CONTROL=VALUE | --press BUTTON]... "
    "[--input FILE.json]\n"
    "       verosa-cli save-case ANALYSIS [--example CAPTION] [--set CONTROL=VALUE | --press BUTTON]... "
    "[--input FILE] > FILE.vcase\n"
    "       verosa-cli batch FILE [--csv] [--reports DIR] [--jobs N]\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The largest --input file read: a case file is a few hundred bytes.
constexpr std::size_t kMaxInputBytes = 1024 * 1024;

// C0 and C1 control characters and DEL: no single-line field holds them.
bool hasControlCharacter(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = std::max<std::size_t>(form::utf8SequenceAt(text, i), 1);
        if (form::isControlCharacter(text, i, length)) return true;
        i += length;
    }
    return false;
}

// A name or value from the command line as a message may show it: bytes that
// are not UTF-8 and control characters written as \xNN, at most `limit`
// characters.
std::string shown(std::string_view text, std::size_t limit = 80) {
    std::string out;
    std::size_t characters = 0;
    std::size_t i = 0;
    for (; i < text.size() && characters < limit; ++characters) {
        const std::size_t len = form::utf8SequenceAt(text, i);
        const bool control = len > 0 && form::isControlCharacter(text, i, len);
        if (len == 0 || control) {
            for (std::size_t k = 0; k < std::max<std::size_t>(len, 1); ++k) {
                static const char hex[] = "0123456789abcdef";
                const auto c = static_cast<unsigned char>(text[i + k]);
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 0xF];
            }
            i += std::max<std::size_t>(len, 1);
        } else {
            out.append(text.substr(i, len));
            i += len;
        }
    }
    if (i < text.size()) out += "...";
    return out;
}

// One step of a run, in order: a control to set or a button to press.
struct Step {
    enum class Kind { Set, Press } kind;
    std::string name;
    std::string value;
};

struct Request {
    std::string analysis;
    std::optional<std::string> example;
    std::optional<std::string> inputFile;
    std::optional<form::Case> caseFile;  // --input of a case file, applied whole to the fresh form
    std::vector<Step> steps;
};

int parseInt(const std::string& text, const std::string& what) {
    int v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size())
        throw UsageError("not a whole number for " + shown(what) + ": " + shown(text));
    return v;
}

Request parseRun(const std::vector<std::string>& args) {
    if (args.size() < 2) throw UsageError("run needs an analysis name");
    Request req;
    req.analysis = args[1];
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto next = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
            return args[++i];
        };
        if (a == "--example") {
            if (req.example) throw UsageError("--example given twice");
            req.example = next();
        } else if (a == "--set") {
            const std::string& s = next();
            auto eq = s.find('=');
            if (eq == std::string::npos || eq == 0) throw UsageError("--set needs CONTROL=VALUE: " + shown(s));
            req.steps.push_back({Step::Kind::Set, s.substr(0, eq), s.substr(eq + 1)});
        } else if (a == "--press") {
            req.steps.push_back({Step::Kind::Press, next(), {}});
        } else if (a == "--input") {
            if (req.inputFile) throw UsageError("--input given twice");
            req.inputFile = next();
        } else {
            throw UsageError("unknown argument: " + shown(a));
        }
    }
    return req;
}

std::string jsonValueText(const nlohmann::ordered_json& v, const std::string& name) {
    if (v.is_string()) return v.get<std::string>();
    if (v.is_boolean()) return v.get<bool>() ? "1" : "0";
    if (v.is_number()) return v.dump();
    throw UsageError("control " + shown(name) + ": value must be a string, number or boolean");
}

// The whole of an --input file: a usage error where it cannot be read (no
// such file, a directory, no permission), is larger than kMaxInputBytes or is
// not UTF-8.
std::string inputFileText(const std::string& file) {
    const std::string name = shown(file);
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) throw UsageError("--input " + name + " is a directory");
    std::ifstream in(file, std::ios::binary);
    if (!in) throw UsageError("cannot read " + name);
    std::string text(kMaxInputBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) throw UsageError("cannot read " + name);
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxInputBytes) throw UsageError(name + ": larger than 1 MiB");
    if (const std::size_t at = form::invalidUtf8At(text); at != std::string::npos)
        throw UsageError(name + ": not valid UTF-8 (byte " + std::to_string(at) + ")");
    return text;
}

// Reads a case: the one reader of an --input file and of each line of a
// batch. A case file (with its "format") holds every input and is applied
// whole to the fresh form; the earlier form's controls go before every --set
// and its example counts as --example. The analysis is the request's where
// the request names none. `text` is the case as written (a case file's keys
// are checked on it, duplicates included).
void readCase(Request& req, const nlohmann::ordered_json& doc, const std::string& where, std::string_view text) {
    if (doc.is_object() && doc.contains("format")) {
        try {
            req.caseFile = form::parseCase(text);
        } catch (const form::CaseError& e) {
            throw UsageError(where + ": " + e.what());
        }
        if (req.analysis.empty()) req.analysis = req.caseFile->analysis;
        if (req.caseFile->analysis != req.analysis)
            throw UsageError(where + ": analysis differs from " + shown(req.analysis));
        if (req.example) throw UsageError("a case file holds every input: no --example with it");
        return;
    }
    if (!doc.is_object()) throw UsageError(where + ": not a JSON object");
    for (auto it = doc.begin(); it != doc.end(); ++it)
        if (it.key() != "analysis" && it.key() != "example" && it.key() != "controls")
            throw UsageError(where + ": unknown key " + shown(it.key()));
    if (doc.contains("analysis")) {
        if (!doc["analysis"].is_string()) throw UsageError(where + ": analysis must be a name");
        if (req.analysis.empty()) req.analysis = doc["analysis"].get<std::string>();
        if (doc["analysis"] != req.analysis) throw UsageError(where + ": analysis differs from " + shown(req.analysis));
    }
    if (req.analysis.empty()) throw UsageError(where + ": no analysis");
    if (doc.contains("example")) {
        if (req.example) throw UsageError("example given both in " + where + " and as --example");
        if (!doc["example"].is_string()) throw UsageError(where + ": example must be a caption");
        req.example = doc["example"].get<std::string>();
    }
    std::vector<Step> fileSteps;
    if (doc.contains("controls")) {
        const auto& controls = doc["controls"];
        if (!controls.is_object()) throw UsageError(where + ": controls must be an object");
        for (auto it = controls.begin(); it != controls.end(); ++it)
            fileSteps.push_back({Step::Kind::Set, it.key(), jsonValueText(it.value(), it.key())});
    }
    req.steps.insert(req.steps.begin(), fileSteps.begin(), fileSteps.end());
}

void readInputFile(Request& req) {
    const std::string text = inputFileText(*req.inputFile);
    const std::string name = shown(*req.inputFile);
    nlohmann::ordered_json doc;
    try {
        doc = nlohmann::ordered_json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        throw UsageError(name + ": " + shown(e.what(), 400));
    }
    readCase(req, doc, name, text);
}

// A text for a field or grid cell that is not a number field: the window
// holds only valid UTF-8 without control characters there, so nothing else
// reaches a report through it. (A number field's reader refuses such text
// itself, naming the field.)
void requireWindowText(const Step& step) {
    if (form::invalidUtf8At(step.value) != std::string::npos)
        throw UsageError(shown(step.name) + ": value is not valid UTF-8: " + shown(step.value));
    if (hasControlCharacter(step.value))
        throw UsageError(shown(step.name) + ": value holds a control character: " + shown(step.value));
}

// "MSFBusCap[1][3]" -> grid cell; otherwise the control name as it stands
// ("txtCycle[2]" is an array element's own name).
Outcome applySet(Form& form, const Step& step) {
    const std::string name = shown(step.name);
    if (const Control* c = form.find(step.name)) {
        switch (c->kind) {
        case ControlKind::Text:
            if (!c->number) requireWindowText(step);
            return form.setText(step.name, step.value);
        case ControlKind::List: {
            int pos = parseInt(step.value, step.name);
            if (pos < -1 || pos >= static_cast<int>(c->items.size()))
                throw UsageError(name + ": list position out of range: " + shown(step.value));
            return form.setIndex(step.name, pos);
        }
        case ControlKind::Option:
        case ControlKind::Check:
            if (step.value != "0" && step.value != "1") throw UsageError(name + " takes 1 or 0");
            return form.setChecked(step.name, step.value == "1");
        default: throw UsageError(name + " cannot be set");
        }
    }
    // A grid cell: name[row][col].
    auto open = step.name.find('[');
    if (open != std::string::npos && step.name.back() == ']') {
        const std::string base = step.name.substr(0, open);
        const Control* grid = form.find(base);
        auto mid = step.name.find("][", open);
        if (grid && grid->kind == ControlKind::Grid && mid != std::string::npos) {
            int row = parseInt(step.name.substr(open + 1, mid - open - 1), step.name);
            int col = parseInt(step.name.substr(mid + 2, step.name.size() - mid - 3), step.name);
            if (!grid->grid.has(row, col)) throw UsageError(name + ": no such cell");
            requireWindowText(step);
            return form.setCell(base, row, col, step.value);
        }
    }
    throw UsageError("unknown control: " + name);
}

Outcome applyPress(Form& form, const std::string& name) {
    const Control* c = form.find(name);
    if (!c || c->kind != ControlKind::Button) throw UsageError("unknown button: " + shown(name));
    return form.press(name);
}

// The status a run ends with when an action did not simply succeed; -1 to go on.
int endOf(const Outcome& o, std::ostream& err) {
    if (o.close) throw UsageError("the window was closed before its analysis");
    // A failure the window ends silently (no message box) still gets a line.
    const std::string text = o.message && !o.message->text.empty() ? o.message->text : "분석을 마치지 못했습니다.";
    switch (o.status) {
    case Outcome::Status::Done: return -1;
    case Outcome::Status::Refused: err << "입력오류: " << text << '\n'; return kRefused;
    case Outcome::Status::Failed: err << "계산오류: " << text << '\n'; return kFailed;
    case Outcome::Status::MissingTable: err << "분석표 없음: " << text << '\n'; return kMissingTable;
    }
    return -1;
}

int list(std::ostream& out, std::ostream& err) {
    for (const analyses::AnalysisRef& a : analyses::allAnalyses()) {
        if (!a.facility->built()) continue;
        out << a.analysis->name;
        const analyses::MadeForm made = analyses::makeAsMenu(*a.facility, nullptr);
        for (const Control* b : made.form->exampleButtons()) out << ' ' << b->caption;
        out << '\n';
    }
    out.flush();
    if (!out) {
        err << "verosa-cli: the list could not be written\n";
        return kWriteFailed;
    }
    return kSuccess;
}

// A run of one request: the form as the menu command opens it, the case file,
// the example, the steps and, unless only its inputs are wanted, the analysis
// button, ended early by the first action that did not simply succeed (its
// outcome is `end`).
struct Ran {
    analyses::MadeForm made;
    Form& form() const { return *made.form; }
    Outcome end;
};

Ran execute(const Request& req, const analyses::AnalysisRef& entry, const tables::LookupTableStore& store,
            bool pressAnalysis = true) {
    // As the menu command: write the mode key, create the window, open its tables.
    Ran ran{analyses::makeAsMenu(*entry.facility, &store), {}};
    Form& form = ran.form();
    form.open();  // a missing table is reported by the analysis that needs it
    if (req.caseFile) {
        // A value the window refuses ends the run as that refusal; any other
        // fault of the file is a usage error.
        try {
            form::applyCase(form, *req.caseFile);
        } catch (const form::CaseError& e) {
            if (e.status() == Outcome::Status::Done)
                throw UsageError((req.inputFile ? shown(*req.inputFile) : std::string("case")) + ": " + e.what());
            ran.end.status = e.status();
            ran.end.message = form::Message{{}, e.what()};
            return ran;
        }
    }

    auto ended = [&](Outcome o) {
        if (o.close) throw UsageError("the window was closed before its analysis");
        if (o.ok()) return false;
        ran.end = std::move(o);
        return true;
    };
    if (req.example) {
        const Control* button = form.exampleButton(*req.example);
        if (!button) throw UsageError("unknown example: " + shown(*req.example));
        if (ended(form.press(button->name))) return ran;
    }
    for (const Step& step : req.steps)
        if (ended(step.kind == Step::Kind::Set ? applySet(form, step) : applyPress(form, step.name))) return ran;
    if (pressAnalysis) ended(applyPress(form, entry.analysis->button));
    return ran;
}

analyses::AnalysisRef builtAnalysis(const std::string& name) {
    const analyses::AnalysisRef entry = analyses::findAnalysis(name);
    if (!entry.facility) throw UsageError("unknown analysis: " + shown(name));
    if (!entry.facility->built()) throw UsageError("analysis not built yet: " + shown(name));
    return entry;
}

// run, or save-case: the case of the inputs that run would analyse.
int runAnalysis(Request req, std::ostream& out, std::ostream& err, bool saveCase = false) {
    const analyses::AnalysisRef entry = builtAnalysis(req.analysis);
    if (req.inputFile) readInputFile(req);

    const tables::LookupTableStore store;
    const Ran ran = execute(req, entry, store, !saveCase);
    if (int s = endOf(ran.end, err); s >= 0) return s;
    const std::string text = saveCase ? form::caseText(form::caseOf(ran.form(), req.analysis))
                                      : ran.form().renderingOf(entry.analysis->button);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
        err << "verosa-cli: the report could not be written\n";
        return kWriteFailed;
    }
    return kSuccess;
}

}  // namespace

CaseOutcome runCase(std::string_view json, const tables::LookupTableStore& store, bool withRendering) {
    CaseOutcome outcome;
    auto bad = [&](const std::string& message) {
        outcome.status = CaseOutcome::Status::BadCase;
        outcome.message = message;
        return outcome;
    };
    try {
        nlohmann::ordered_json doc = nlohmann::ordered_json::parse(json, nullptr, false);
        if (doc.is_discarded()) return bad("not JSON");
        if (doc.is_object() && doc.contains("analysis") && doc["analysis"].is_string())
            outcome.analysis = doc["analysis"].get<std::string>();
        Request req;
        readCase(req, doc, "case", json);
        const analyses::AnalysisRef entry = builtAnalysis(req.analysis);
        const Ran ran = execute(req, entry, store);
        const std::string text = ran.end.message ? ran.end.message->text : std::string();
        switch (ran.end.status) {
        case Outcome::Status::Done:
            outcome.status = CaseOutcome::Status::Ok;
            if (withRendering) outcome.rendering = ran.form().renderingOf(entry.analysis->button);
            outcome.headlines = ran.form().headlinesOf(entry.analysis->button);
            break;
        case Outcome::Status::Refused: outcome.status = CaseOutcome::Status::Refused; break;
        case Outcome::Status::Failed: outcome.status = CaseOutcome::Status::Failed; break;
        case Outcome::Status::MissingTable: outcome.status = CaseOutcome::Status::MissingTable; break;
        }
        outcome.message = text;
    } catch (const UsageError& e) {
        return bad(e.what());
    } catch (const form::UsageError& e) {
        return bad(e.what());
    } catch (const Failure& f) {
        outcome.status =
            f.error().kind == ErrorKind::MissingTable ? CaseOutcome::Status::MissingTable : CaseOutcome::Status::Failed;
        outcome.message = f.error().message;
    } catch (const std::exception& e) {
        // A fault of the program itself, not of the case.
        outcome.status = CaseOutcome::Status::Failed;
        outcome.message = std::string("내부 오류 (") + e.what() + ")";
    }
    return outcome;
}

std::vector<std::string> headlineNamesOf(const std::string& analysis) {
    const analyses::AnalysisRef entry = analyses::findAnalysis(analysis);
    if (!entry.facility || !entry.facility->built()) return {};
    const analyses::MadeForm made = analyses::makeAsMenu(*entry.facility, nullptr);
    std::vector<std::string> names;
    for (const form::Headline& h : made.form->headlinesOf(entry.analysis->button)) names.push_back(h.name);
    return names;
}

std::vector<std::string> builtAnalyses() {
    std::vector<std::string> names;
    for (const analyses::AnalysisRef& a : analyses::allAnalyses())
        if (a.facility->built()) names.push_back(a.analysis->name);
    return names;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        if (!args.empty() && args[0] == "list") {
            if (args.size() > 1) throw UsageError("list takes no arguments");
            return list(out, err);
        }
        if (!args.empty() && args[0] == "run") return runAnalysis(parseRun(args), out, err);
        if (!args.empty() && args[0] == "save-case") return runAnalysis(parseRun(args), out, err, true);
        if (!args.empty() && args[0] == "batch") return batchCommand(args, out, err);
        throw UsageError(args.empty() ? "no command" : "unknown command: " + shown(args[0]));
    } catch (const UsageError& e) {
        err << "verosa-cli: " << e.what() << '\n' << kUsageText;
        return kUsage;
    } catch (const form::UsageError& e) {
        err << "verosa-cli: " << shown(e.what(), 400) << '\n' << kUsageText;
        return kUsage;
    } catch (const Failure& f) {
        Outcome failed;
        failed.status =
            f.error().kind == ErrorKind::MissingTable ? Outcome::Status::MissingTable : Outcome::Status::Failed;
        failed.message = form::Message{{}, f.error().message};
        return endOf(failed, err);
    } catch (const std::exception& e) {
        // A fault of the program itself, not of the input: never a usage error.
        err << "계산오류: 내부 오류 (" << shown(e.what(), 400) << ")\n";
        return kFailed;
    }
}

}  // namespace verosa::cli
