#include "fuzz/CliFuzz.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "analyses/Registry.h"
#include "cli/Cli.h"
#include "form/Form.h"
#include "tables/LookupTable.h"

namespace verosa::fuzz {

// ---- the random source: splitmix64, fully specified ----

std::uint64_t Random::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::size_t Random::below(std::size_t n) { return static_cast<std::size_t>(next() % n); }

bool Random::chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }

std::uint64_t caseSeed(std::uint64_t seed, std::uint64_t index) {
    Random mix(seed ^ (index * 0xD1B54A32D192ED03ULL));
    mix.next();
    return mix.next();
}

// ---- learning the analyses from their forms ----

namespace {

void sortInto(AnalysisModel::Controls& into, const form::Control& c) {
    using form::ControlKind;
    switch (c.kind) {
    case ControlKind::Text: into.texts.push_back(c.name); break;
    case ControlKind::List: into.lists.push_back({c.name, static_cast<int>(c.items.size())}); break;
    case ControlKind::Option: into.options.push_back(c.name); break;
    case ControlKind::Check: into.checks.push_back(c.name); break;
    case ControlKind::Button: (c.role == form::ButtonRole::Exit ? into.exits : into.buttons).push_back(c.name); break;
    case ControlKind::Grid: into.grids.push_back({c.name, c.grid.rows, c.grid.cols}); break;
    default: into.others.push_back(c.name); break;
    }
}

std::unique_ptr<form::Form> openForm(const analyses::Facility& facility, form::AnalysisIndex& index,
                                     const tables::LookupTableStore& store) {
    index.key = facility.modeKey;
    auto f = facility.create({&index, &store});
    f->open();
    return f;
}

}  // namespace

std::vector<AnalysisModel> learnAnalyses() {
    const tables::LookupTableStore store;
    std::vector<AnalysisModel> models;
    for (const analyses::AnalysisRef& ref : analyses::allAnalyses()) {
        AnalysisModel m;
        m.name = ref.analysis->name;
        m.button = ref.analysis->button;
        m.built = ref.facility->built();
        if (!m.built) {
            models.push_back(std::move(m));
            continue;
        }
        form::AnalysisIndex index;
        auto f = openForm(*ref.facility, index, store);
        const int page = f->at(m.button).page;
        auto near = [page](const form::Control& c) { return page < 0 || c.page < 0 || c.page == page; };
        for (const auto& c : f->controls()) sortInto(near(*c) ? m.near : m.far, *c);
        for (const form::Control* example : f->exampleButtons()) {
            m.examples.push_back(example->caption);
            if (near(*example)) m.nearExamples.push_back(example->caption);
            // What the example writes into each field, in a window of its own.
            auto fresh = openForm(*ref.facility, index, store);
            fresh->press(example->name);
            for (const auto& c : fresh->controls()) {
                if (c->kind != form::ControlKind::Text || c->text.empty()) continue;
                auto& seen = m.exampleTexts[c->name];
                if (std::find(seen.begin(), seen.end(), c->text) == seen.end()) seen.push_back(c->text);
            }
        }
        models.push_back(std::move(m));
    }
    return models;
}

// ---- texts ----

namespace {

std::string numberText(double v) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string fixedText(double v, int decimals) {
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return numberText(v);
    return std::string(buf, res.ptr);
}

// Texts no field should take as a number, or should take only where its
// range allows: the edges of the number types, words, separators, blanks,
// control characters and bytes that are not UTF-8.
const std::vector<std::string>& oddTexts() {
    static const std::vector<std::string> texts = {
        "",
        " ",
        "  ",
        "\t",
        "0",
        "-0",
        "0.0",
        "+0",
        "-1",
        "-3",
        "-40",
        "-2000",
        "1",
        "2",
        "0.5",
        ".5",
        "5.",
        ".",
        "-",
        "+",
        "+5",
        "1e30",
        "1e38",
        "3.4028236e38",
        "1e39",
        "1e308",
        "1.7976931348623157e308",
        "1e309",
        "-1e309",
        "1e-45",
        "1e-46",
        "1e-320",
        "4.9e-324",
        "1e-400",
        "32767",
        "32768",
        "-32768",
        "-32769",
        "65535",
        "65536",
        "2147483647",
        "2147483648",
        "-2147483649",
        "9223372036854775808",
        "99999999999999999999",
        "inf",
        "-inf",
        "INF",
        "Infinity",
        "nan",
        "NaN",
        "-nan",
        "1OO",
        "1,5",
        "4,3",
        "1 000",
        "12abc",
        "abc",
        "x",
        "1e",
        "1e+",
        "1e-",
        "e5",
        "0x10",
        "0b1",
        "1_000",
        "1.2.3",
        "--1",
        "+-1",
        "@@@",
        "@",
        "#.##",
        "#",
        "##0.00",
        "%d",
        "%s%n",
        "{}",
        "\\",
        "\"",
        "'",
        "０",
        "１００",
        "٣",
        "가",
        "一二三",
        "Ⅱ",
        "½",
        "1\n",
        "\n",
        "\r",
        "\r\n",
        "1\r\n2",
        "1\t",
        "\t1",
        "1\v",
        "\x01",
        "1\x1b[31m",
        "\x7f",
        "\xc2\x85",
        "\xc2\x9f",
        "\xff",
        "\xfe\xff",
        "\xc3",
        "1\xc3",
        "\xc0\x80",
        "\xe0\x80\x80",
        "\xed\xa0\x80",
        "\xf4\x90\x80\x80",
        "\xf8\x88\x80\x80\x80",
        std::string("1\0", 2),
        std::string("\0", 1),
        "\xef\xbb\xbf"
        "1",
        "  12  ",
        "0012",
        "0.00000001",
        "123456789012345678901234567890",
    };
    return texts;
}

std::string veryLongText(Random& random) {
    switch (random.below(5)) {
    case 0: return std::string(1000 + random.below(9000), '9');
    case 1: return "0." + std::string(300 + random.below(5000), '0') + "1";
    case 2: return "1e" + std::string(100 + random.below(1000), '9');
    case 3: return std::string(5000, ' ') + "1";
    default: {
        std::string s;
        const std::size_t n = 200 + random.below(3000);
        for (std::size_t i = 0; i < n; ++i) s += static_cast<char>(random.below(256));
        return s;
    }
    }
}

std::string randomNumberText(Random& random) {
    switch (random.below(4)) {
    case 0: return std::to_string(random.below(100001));
    case 1: return fixedText(static_cast<double>(random.below(100000)) / 100.0, 2);
    case 2: return fixedText(static_cast<double>(random.below(2001)) / 100.0 - 10.0, static_cast<int>(random.below(4)));
    default: return "0." + std::to_string(random.below(1000));
    }
}

// An example's value changed a little or a lot.
std::string variation(Random& random, const std::string& text) {
    double v = 0;
    const char* first = text.data();
    while (*first == ' ') ++first;
    auto [ptr, ec] = std::from_chars(first, text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size()) return text;
    static const double factors[] = {0, -1, 0.1, 0.5, 0.9, 0.99, 1.01, 1.1, 1.5, 2, 3, 10, 100, 1e3, 1e6, 1e-3};
    static const double steps[] = {-1, 1, -0.5, 0.5, -0.01, 0.01, -10, 10};
    switch (random.below(5)) {
    case 0: return text;
    case 1: return numberText(v * factors[random.below(std::size(factors))]);
    case 2: return numberText(v + steps[random.below(std::size(steps))]);
    case 3: return fixedText(v * factors[random.below(std::size(factors))], static_cast<int>(random.below(4)));
    default:
        if (std::fabs(v) > 1e15) return text;
        return std::to_string(static_cast<long long>(std::floor(v))) + (random.chance(50) ? "" : ".5");
    }
}

}  // namespace

std::string oddText(Random& random, const std::vector<std::string>& exampleValues) {
    const std::size_t kind = random.below(100);
    if (kind < 45 && !exampleValues.empty()) return variation(random, random.pick(exampleValues));
    if (kind < 60) return randomNumberText(random);
    if (kind < 63) return veryLongText(random);
    std::string s = random.pick(oddTexts());
    // Now and then two odd pieces together ("-inf\xff", "1e39 ").
    if (random.chance(10)) s += random.pick(oddTexts());
    return s;
}

// ---- generating a case ----

namespace {

// The analysis reads the fields of its own page: most steps go there, the
// rest to the other pages.
const AnalysisModel::Controls& side(Random& random, const AnalysisModel& m,
                                    bool (*has)(const AnalysisModel::Controls&)) {
    const bool near = random.chance(85);
    const AnalysisModel::Controls& first = near ? m.near : m.far;
    return has(first) ? first : near ? m.far : m.near;
}

std::string listPosition(Random& random, int items) {
    if (random.chance(90))
        return std::to_string(static_cast<int>(random.below(static_cast<std::size_t>(items) + 1)) - 1);
    static const std::vector<std::string> odd = {"-2", "99", "", "x", "1.0", " 1", "+1", "2147483648", "-1e3"};
    if (random.chance(50)) return std::to_string(items);
    return random.pick(odd);
}

std::string onOff(Random& random) {
    if (random.chance(70)) return "1";
    if (random.chance(85)) return "0";
    static const std::vector<std::string> odd = {"2", "", "true", "-1", " 1", "01"};
    return random.pick(odd);
}

std::string setArg(const std::string& name, const std::string& value) { return name + "=" + value; }

// One --set or --press step (two arguments), of a kind the window has.
void addStep(Random& random, const AnalysisModel& m, std::vector<std::string>& args) {
    using Controls = AnalysisModel::Controls;
    const std::size_t kind = random.below(100);
    if (kind < 10) {
        const Controls& c = side(random, m, [](const Controls& c) { return !c.lists.empty(); });
        if (c.lists.empty()) return addStep(random, m, args);
        const ListModel& list = random.pick(c.lists);
        args.insert(args.end(), {"--set", setArg(list.name, listPosition(random, list.items))});
    } else if (kind < 19) {
        const bool option = kind < 16;
        const Controls& c = option ? side(random, m, [](const Controls& c) { return !c.options.empty(); })
                                   : side(random, m, [](const Controls& c) { return !c.checks.empty(); });
        const std::vector<std::string>& names = option ? c.options : c.checks;
        if (names.empty()) return addStep(random, m, args);
        args.insert(args.end(), {"--set", setArg(random.pick(names), onOff(random))});
    } else if (kind < 24) {
        const Controls& c = side(random, m, [](const Controls& c) { return !c.buttons.empty(); });
        const bool exit = !c.exits.empty() && random.chance(5);
        if (!exit && c.buttons.empty()) return addStep(random, m, args);
        args.insert(args.end(), {"--press", exit ? random.pick(c.exits) : random.pick(c.buttons)});
    } else if (kind < 28) {
        const Controls& c = side(random, m, [](const Controls& c) { return !c.grids.empty(); });
        if (c.grids.empty()) return addStep(random, m, args);
        const GridModel& g = random.pick(c.grids);
        const int row = static_cast<int>(random.below(static_cast<std::size_t>(g.rows) + 1));
        const int col = static_cast<int>(random.below(static_cast<std::size_t>(g.cols) + 1));
        args.insert(args.end(), {"--set", setArg(form::cell(g.name, row, col), oddText(random, {}))});
    } else if (kind < 30) {
        // Names no window has, or controls that take no value.
        static const std::vector<std::string> odd = {
            "txtNope", "", "=", "cmdResult[0]", "txt\xff", "rtbResult", "MSF[1][1]", "txtVolume[-1]", "a[1][x]", "x]"};
        const std::string name =
            !m.near.others.empty() && random.chance(50) ? random.pick(m.near.others) : random.pick(odd);
        if (random.chance(20)) {
            args.insert(args.end(), {"--press", name});
        } else {
            args.insert(args.end(), {"--set", random.chance(10) ? name : setArg(name, "1")});
        }
    } else {
        const Controls& c = side(random, m, [](const Controls& c) { return !c.texts.empty(); });
        if (c.texts.empty()) return;
        const std::string& name = random.pick(c.texts);
        auto seen = m.exampleTexts.find(name);
        const std::vector<std::string> none;
        args.insert(args.end(),
                    {"--set", setArg(name, oddText(random, seen == m.exampleTexts.end() ? none : seen->second))});
    }
}

// A JSON string literal of a text, or (now and then) of its raw bytes.
std::string jsonString(Random& random, const std::string& text) {
    std::string out = "\"";
    const bool raw = random.chance(5);
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (b < 0x20 && !raw) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[b >> 4];
            out += hex[b & 0xF];
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

// The text of an --input file: mostly a well-formed case, sometimes not.
std::string inputFileText(Random& random, const AnalysisModel& m, const std::vector<std::string>& setArgs,
                          bool withExample) {
    switch (random.below(20)) {
    case 0: return "";
    case 1: return "{";
    case 2: return "[1, 2]";
    case 3: return "{\"analysis\": 5}";
    case 4: return "{\"controls\": {\"x\": [1]}, \"other\": 1}";
    case 5: return "\xff\xfe{}";
    case 6: return "{\"controls\": {\"a\": 1e400}}";
    default: break;
    }
    std::string json = "{";
    if (random.chance(80)) json += "\"analysis\": " + jsonString(random, random.chance(95) ? m.name : "walkway") + ", ";
    if (withExample) json += "\"example\": " + jsonString(random, random.pick(m.examples)) + ", ";
    json += "\"controls\": {";
    for (std::size_t i = 0; i < setArgs.size(); ++i) {
        const std::string& s = setArgs[i];
        const auto eq = s.find('=');
        if (eq == std::string::npos) continue;
        if (json.back() != '{') json += ", ";
        json += jsonString(random, s.substr(0, eq)) + ": ";
        const std::string value = s.substr(eq + 1);
        if (random.chance(15)) {
            double v = 0;
            auto [p, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
            json += ec == std::errc() && p == value.data() + value.size() && value.size() < 30
                        ? value
                        : jsonString(random, value);
        } else if (random.chance(3)) {
            json += random.chance(50) ? "true" : "null";
        } else {
            json += jsonString(random, value);
        }
    }
    return json + "}}";
}

}  // namespace

FuzzCase generate(Random& random, const std::vector<AnalysisModel>& models) {
    FuzzCase fc;
    std::vector<const AnalysisModel*> built;
    for (const AnalysisModel& m : models)
        if (m.built) built.push_back(&m);
    if (random.chance(1)) {
        fc.args = random.chance(50) ? std::vector<std::string>{"list"} : std::vector<std::string>{"list", "x"};
        return fc;
    }
    if (built.empty() || random.chance(2)) {
        static const std::vector<std::string> odd = {"nosuch", "", "WALKWAY", "walkway\xff", "run", "-h"};
        const std::string name = random.chance(50) || models.empty() ? random.pick(odd) : random.pick(models).name;
        fc.args = {"run", name};
        return fc;
    }
    const AnalysisModel& m = *random.pick(built);
    fc.args = {"run", m.name};

    bool example = false;
    if (!m.examples.empty() && random.chance(80)) {
        example = true;
        const std::vector<std::string>& captions =
            !m.nearExamples.empty() && random.chance(85) ? m.nearExamples : m.examples;
        fc.args.insert(fc.args.end(), {"--example", random.chance(97) ? random.pick(captions) : "Ex#99"});
    }
    std::size_t steps = random.below(5);
    if (random.chance(10)) steps += random.below(20);
    std::vector<std::string> stepArgs;
    for (std::size_t i = 0; i < steps; ++i) addStep(random, m, stepArgs);

    if (random.chance(4)) {
        // Part of the steps (or all of them) come from an --input file.
        std::vector<std::string> fileSets;
        std::vector<std::string> rest;
        for (std::size_t i = 0; i + 1 < stepArgs.size(); i += 2) {
            if (stepArgs[i] == "--set" && random.chance(70)) {
                fileSets.push_back(stepArgs[i + 1]);
            } else {
                rest.insert(rest.end(), {stepArgs[i], stepArgs[i + 1]});
            }
        }
        stepArgs = rest;
        const bool fileExample = !example && !m.examples.empty() && random.chance(30);
        fc.inputText = inputFileText(random, m, fileSets, fileExample);
        if (random.chance(90)) {
            fc.args.insert(fc.args.end(), {"--input", kInputFilePlaceholder});
        } else {
            // Folders, no file, no path, an empty file, a file whose reading fails.
            static const std::vector<std::string> paths = {"/", ".",         "/nonexistent/case.json",
                                                           "",  "/dev/null", "/proc/self/mem"};
            fc.args.insert(fc.args.end(), {"--input", random.pick(paths)});
        }
        if (random.chance(5)) {
            // Beyond the size an --input file may have.
            fc.inputText = "{\"controls\": {\"x\": \"" + std::string(1024 * 1024, '1') + "\"}}";
        }
    }
    fc.args.insert(fc.args.end(), stepArgs.begin(), stepArgs.end());

    if (random.chance(3)) {
        // A command line that is wrong in its form.
        static const std::vector<std::string> odd = {"--bogus", "--set", "--press", "--example",
                                                     "--input", "-",     "--set=x", "extra"};
        fc.args.push_back(random.pick(odd));
        if (random.chance(30)) fc.args.insert(fc.args.end(), {"--example", "Ex#1"});
    }
    return fc;
}

// ---- checking the contract ----

std::optional<std::size_t> invalidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::size_t len = 1;
        std::uint32_t cp = b;
        if (b >= 0x80) {
            if ((b & 0xE0) == 0xC0) {
                len = 2, cp = b & 0x1Fu;
            } else if ((b & 0xF0) == 0xE0) {
                len = 3, cp = b & 0x0Fu;
            } else if ((b & 0xF8) == 0xF0) {
                len = 4, cp = b & 0x07u;
            } else {
                return i;
            }
            if (i + len > text.size()) return i;
            for (std::size_t k = 1; k < len; ++k) {
                const auto c = static_cast<unsigned char>(text[i + k]);
                if ((c & 0xC0) != 0x80) return i;
                cp = (cp << 6) | (c & 0x3Fu);
            }
            const std::uint32_t least = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
            if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return i;
        }
        i += len;
    }
    return std::nullopt;
}

namespace {

bool asciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "nan" or "inf" as a word of its own (not inside "information"), with where.
std::optional<std::pair<std::string, std::size_t>> notANumberWord(const std::string& text) {
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        if (i > 0 && asciiLetter(text[i - 1])) continue;
        std::string word;
        std::size_t j = i;
        while (j < text.size() && asciiLetter(text[j])) word += lower(text[j++]);
        if (word == "nan" || word == "inf" || word == "infinity") return std::make_pair(text.substr(i, j - i), i);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Breach> contractBreach(const std::vector<std::string>& args, const Outcome& o) {
    constexpr std::size_t none = std::string::npos;
    if (!o.escaped.empty()) return Breach{"an exception escaped verosa::cli::run: " + o.escaped};
    static const std::set<int> allowed = {0, 2, 3, 4, 64, 74};
    if (!allowed.count(o.status)) return Breach{"exit status " + std::to_string(o.status) + " is not in the contract"};
    if (o.status == 0) {
        if (o.out.empty()) return Breach{"exit 0 with an empty output"};
        if (auto at = invalidUtf8(o.out)) return Breach{"the output is not valid UTF-8", *at};
        const bool report = !args.empty() && args[0] == "run";
        for (std::size_t i = 0; i < o.out.size(); ++i) {
            if (o.out[i] == '\r' && (!report || i + 1 == o.out.size() || o.out[i + 1] != '\n'))
                return Breach{"a bare CR in the output", i};
            if (o.out[i] == '\n' && report && (i == 0 || o.out[i - 1] != '\r'))
                return Breach{"a bare LF in the report", i};
        }
        for (std::size_t i = 0; i < o.out.size(); ++i) {
            const auto b = static_cast<unsigned char>(o.out[i]);
            if ((b < 0x20 && b != '\t' && b != '\r' && b != '\n') || b == 0x7F)
                return Breach{"a control character in the output", i};
        }
        const std::string end = report ? "\r\n" : "\n";
        if (o.out.size() < end.size() || o.out.compare(o.out.size() - end.size(), end.size(), end) != 0)
            return Breach{"the output does not end with its line end", o.out.size() - 1};
        if (!report) return std::nullopt;
        if (auto word = notANumberWord(o.out)) return Breach{"no number in the report: " + word->first, word->second};
        for (char pattern : {'@', '#'})
            if (auto at = o.out.find(pattern); at != none)
                return Breach{std::string("a pattern character left in the report: ") + pattern, at};
        return std::nullopt;
    }
    if (!o.out.empty() && o.status != 74)
        return Breach{"status " + std::to_string(o.status) + " with output on stdout", 0};
    if (auto at = o.err.find("내부 오류"); at != none) return Breach{"an internal error", at, true};
    if (auto at = invalidUtf8(o.err)) return Breach{"the message is not valid UTF-8", *at, true};
    // The message after its heading ("입력오류: ", "계산오류: ", "verosa-cli: ").
    std::string text = o.err;
    if (auto colon = text.find(": "); colon != none && colon < 20) text = text.substr(colon + 2);
    if (text.find_first_not_of(" \t\r\n") == none)
        return Breach{"status " + std::to_string(o.status) + " without a message", 0, true};
    return std::nullopt;
}

Outcome runCase(const FuzzCase& fc, const std::string& inputPath) {
    std::vector<std::string> args = fc.args;
    if (fc.inputText) {
        std::ofstream(inputPath, std::ios::binary | std::ios::trunc) << *fc.inputText;
        for (std::string& a : args)
            if (a == kInputFilePlaceholder) a = inputPath;
    }
    Outcome o;
    std::ostringstream out, err;
    try {
        o.status = cli::run(args, out, err);
    } catch (const std::exception& e) {
        o.escaped = std::string("std::exception: ") + e.what();
    } catch (...) {
        o.escaped = "an exception of an unknown type";
    }
    o.out = out.str();
    o.err = err.str();
    return o;
}

std::string shellQuoted(const std::vector<std::string>& args) {
    static const char hex[] = "0123456789abcdef";
    std::string line;
    for (const std::string& a : args) {
        if (!line.empty()) line += ' ';
        bool plain = !a.empty();
        bool quotable = true;  // fits in '...': UTF-8 without control characters or quotes
        for (char ch : a) {
            const auto b = static_cast<unsigned char>(ch);
            if (!(asciiLetter(ch) || (ch >= '0' && ch <= '9') ||
                  std::string_view("_-.,/:=+%@").find(ch) != std::string_view::npos))
                plain = false;
            if (b < 0x20 || b == 0x7F || ch == '\'') quotable = false;
        }
        if (invalidUtf8(a)) quotable = false;
        if (plain) {
            line += a;
            continue;
        }
        if (quotable) {
            line += "'" + a + "'";
            continue;
        }
        // $'...': well-formed UTF-8 as it stands, every other byte as \xNN.
        line += "$'";
        for (std::size_t i = 0; i < a.size();) {
            const auto b = static_cast<unsigned char>(a[i]);
            std::size_t len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
            if (b >= 0x80 && (len == 1 || i + len > a.size() || invalidUtf8(a.substr(i, len)))) len = 0;
            if (len > 1) {
                line += a.substr(i, len);
                i += len;
                continue;
            }
            if (a[i] == '\'' || a[i] == '\\') {
                line += '\\';
                line += a[i];
            } else if (b < 0x20 || b >= 0x7F) {
                line += "\\x";
                line += hex[b >> 4];
                line += hex[b & 0xF];
            } else {
                line += a[i];
            }
            ++i;
        }
        line += "'";
    }
    return line;
}

RunSummary runFuzz(std::uint64_t seed, std::uint64_t first, std::uint64_t count, const std::string& inputPath,
                   const std::function<void(std::uint64_t, const FuzzCase&)>& beforeCase) {
    const std::vector<AnalysisModel> models = learnAnalyses();
    RunSummary summary;
    for (std::uint64_t i = first; i < first + count; ++i) {
        Random random(caseSeed(seed, i));
        FuzzCase fc = generate(random, models);
        if (beforeCase) beforeCase(i, fc);
        Outcome o = runCase(fc, inputPath);
        ++summary.cases;
        ++summary.statuses[o.status];
        if (auto breach = contractBreach(fc.args, o))
            summary.failures.push_back({i, std::move(fc), std::move(o), *breach});
    }
    return summary;
}

}  // namespace verosa::fuzz
