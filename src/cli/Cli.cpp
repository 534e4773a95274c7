#include "cli/Cli.h"

#include <charconv>
#include <optional>
#include <ostream>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "analyses/Registry.h"
#include "form/Case.h"
#include "form/Form.h"
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
    "[--input FILE] > FILE.vcase\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One step of a run, in order: a control to set or a button to press.
struct Step {
    enum class Kind { Set, Press } kind;
    std::string name;
    std::string value;
};

struct Request {
    std::string analysis;
    std::optional<std::string> example;
    std::string inputFile;
    std::optional<form::Case> caseFile;  // --input of a case file
    std::vector<Step> steps;
};

int parseInt(const std::string& text, const std::string& what) {
    int v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size())
        throw UsageError("not a whole number for " + what + ": " + text);
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
            if (eq == std::string::npos || eq == 0) throw UsageError("--set needs CONTROL=VALUE: " + s);
            req.steps.push_back({Step::Kind::Set, s.substr(0, eq), s.substr(eq + 1)});
        } else if (a == "--press") {
            req.steps.push_back({Step::Kind::Press, next(), {}});
        } else if (a == "--input") {
            if (!req.inputFile.empty()) throw UsageError("--input given twice");
            req.inputFile = next();
        } else {
            throw UsageError("unknown argument: " + a);
        }
    }
    return req;
}

std::string jsonValueText(const nlohmann::ordered_json& v, const std::string& name) {
    if (v.is_string()) return v.get<std::string>();
    if (v.is_boolean()) return v.get<bool>() ? "1" : "0";
    if (v.is_number()) return v.dump();
    throw UsageError("control " + name + ": value must be a string, number or boolean");
}

// Reads --input: its controls go before every --set; its example counts as
// --example. A case file (with its "format") is applied whole to the fresh form.
void readInputFile(Request& req) {
    std::string text;
    nlohmann::ordered_json doc;
    try {
        text = form::readCaseBytes(req.inputFile);
        doc = nlohmann::ordered_json::parse(text);
    } catch (const form::CaseError& e) {
        throw UsageError(req.inputFile + ": " + e.what());
    } catch (const nlohmann::json::exception& e) {
        throw UsageError(req.inputFile + ": " + e.what());
    }
    if (doc.is_object() && doc.contains("format")) {
        try {
            req.caseFile = form::parseCase(text);
        } catch (const form::CaseError& e) {
            throw UsageError(req.inputFile + ": " + e.what());
        }
        if (req.caseFile->analysis != req.analysis)
            throw UsageError(req.inputFile + ": analysis differs from " + req.analysis);
        if (req.example) throw UsageError("a case file holds every input: no --example with it");
        return;
    }
    if (!doc.is_object()) throw UsageError(req.inputFile + ": not a JSON object");
    for (auto it = doc.begin(); it != doc.end(); ++it)
        if (it.key() != "analysis" && it.key() != "example" && it.key() != "controls")
            throw UsageError(req.inputFile + ": unknown key " + it.key());
    if (doc.contains("analysis") && doc["analysis"] != req.analysis)
        throw UsageError(req.inputFile + ": analysis differs from " + req.analysis);
    if (doc.contains("example")) {
        if (req.example) throw UsageError("example given both in " + req.inputFile + " and as --example");
        if (!doc["example"].is_string()) throw UsageError(req.inputFile + ": example must be a caption");
        req.example = doc["example"].get<std::string>();
    }
    std::vector<Step> fileSteps;
    if (doc.contains("controls")) {
        const auto& controls = doc["controls"];
        if (!controls.is_object()) throw UsageError(req.inputFile + ": controls must be an object");
        for (auto it = controls.begin(); it != controls.end(); ++it)
            fileSteps.push_back({Step::Kind::Set, it.key(), jsonValueText(it.value(), it.key())});
    }
    req.steps.insert(req.steps.begin(), fileSteps.begin(), fileSteps.end());
}

// "MSFBusCap[1][3]" -> grid cell; otherwise the control name as it stands
// ("txtCycle[2]" is an array element's own name).
Outcome applySet(Form& form, const Step& step) {
    if (const Control* c = form.find(step.name)) {
        switch (c->kind) {
        case ControlKind::Text: return form.setText(step.name, step.value);
        case ControlKind::List: {
            int pos = parseInt(step.value, step.name);
            if (pos < -1 || pos >= static_cast<int>(c->items.size()))
                throw UsageError(step.name + ": list position out of range: " + step.value);
            return form.setIndex(step.name, pos);
        }
        case ControlKind::Option:
        case ControlKind::Check:
            if (step.value != "0" && step.value != "1") throw UsageError(step.name + " takes 1 or 0");
            return form.setChecked(step.name, step.value == "1");
        default: throw UsageError(step.name + " cannot be set");
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
            if (row < 0 || row >= grid->grid.rows || col < 0 || col >= grid->grid.cols)
                throw UsageError(step.name + ": no such cell");
            return form.setCell(base, row, col, step.value);
        }
    }
    throw UsageError("unknown control: " + step.name);
}

Outcome applyPress(Form& form, const std::string& name) {
    const Control* c = form.find(name);
    if (!c || c->kind != ControlKind::Button) throw UsageError("unknown button: " + name);
    return form.press(name);
}

// The status a run ends with when an action did not simply succeed; -1 to go on.
int endOf(const Outcome& o, std::ostream& err) {
    if (o.close) throw UsageError("the window was closed before its analysis");
    const std::string text = o.message ? o.message->text : std::string();
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
        form::AnalysisIndex index{a.facility->modeKey};
        auto f = a.facility->create({&index, nullptr});
        for (const Control* b : f->exampleButtons()) out << ' ' << b->caption;
        out << '\n';
    }
    out.flush();
    if (!out) {
        err << "verosa-cli: the list could not be written\n";
        return kWriteFailed;
    }
    return kSuccess;
}

// Applies a case file to the fresh form: a value the window refuses ends the
// run as that refusal, any other fault of the file is a usage error.
int applyCaseFile(Form& form, const Request& req, std::ostream& err) {
    try {
        form::applyCase(form, *req.caseFile);
    } catch (const form::CaseError& e) {
        if (e.status() == Outcome::Status::Done) throw UsageError(req.inputFile + ": " + e.what());
        Outcome refused;
        refused.status = e.status();
        refused.message = form::Message{{}, e.what()};
        return endOf(refused, err);
    }
    return -1;
}

// run, or save-case: the case of the inputs that run would analyse.
int runAnalysis(Request req, std::ostream& out, std::ostream& err, bool saveCase = false) {
    const analyses::AnalysisRef entry = analyses::findAnalysis(req.analysis);
    if (!entry.facility) throw UsageError("unknown analysis: " + req.analysis);
    if (!entry.facility->built()) throw UsageError("analysis not built yet: " + req.analysis);
    if (!req.inputFile.empty()) readInputFile(req);

    // As the menu command: write the mode key, create the window, open its tables.
    form::AnalysisIndex index;
    if (!entry.facility->modeKey.empty()) index.key = entry.facility->modeKey;
    const tables::LookupTableStore store;
    auto form = entry.facility->create({&index, &store});
    form->open();  // a missing table is reported by the analysis that needs it
    if (req.caseFile)
        if (int s = applyCaseFile(*form, req, err); s >= 0) return s;

    if (req.example) {
        const Control* button = form->exampleButton(*req.example);
        if (!button) throw UsageError("unknown example: " + *req.example);
        if (int s = endOf(form->press(button->name), err); s >= 0) return s;
    }
    for (const Step& step : req.steps) {
        Outcome o = step.kind == Step::Kind::Set ? applySet(*form, step) : applyPress(*form, step.name);
        if (int s = endOf(o, err); s >= 0) return s;
    }
    std::string text;
    if (saveCase) {
        text = form::caseText(form::caseOf(*form, req.analysis));
    } else {
        if (int s = endOf(applyPress(*form, entry.analysis->button), err); s >= 0) return s;
        text = form->renderingOf(entry.analysis->button);
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
        err << "verosa-cli: the report could not be written\n";
        return kWriteFailed;
    }
    return kSuccess;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        if (args.size() == 1 && args[0] == "list") return list(out, err);
        if (!args.empty() && args[0] == "run") return runAnalysis(parseRun(args), out, err);
        if (!args.empty() && args[0] == "save-case") return runAnalysis(parseRun(args), out, err, true);
        throw UsageError(args.empty() ? "no command" : "unknown command: " + args[0]);
    } catch (const UsageError& e) {
        err << "verosa-cli: " << e.what() << '\n' << kUsageText;
        return kUsage;
    } catch (const form::UsageError& e) {
        err << "verosa-cli: " << e.what() << '\n' << kUsageText;
        return kUsage;
    } catch (const Failure& f) {
        Outcome failed;
        failed.status =
            f.error().kind == ErrorKind::MissingTable ? Outcome::Status::MissingTable : Outcome::Status::Failed;
        failed.message = form::Message{{}, f.error().message};
        return endOf(failed, err);
    } catch (const std::exception& e) {
        // A fault of the program itself, not of the input: never a usage error.
        err << "계산오류: 내부 오류 (" << e.what() << ")\n";
        return kFailed;
    }
}

}  // namespace verosa::cli
