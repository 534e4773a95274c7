#include "form/Case.h"

#include <charconv>
#include <fstream>
#include <set>
#include <system_error>

#include "form/Utf8.h"

namespace verosa::form {

namespace {

using Json = nlohmann::ordered_json;

[[noreturn]] void notACase(const std::string& message) { throw CaseError(message); }

// "정수", "문자열" ...: what a value is, never the value itself (a nested
// value may be deep enough to exhaust the stack when written out).
std::string kindOf(const Json& v) {
    switch (v.type()) {
    case Json::value_t::null: return "null";
    case Json::value_t::boolean: return "true/false";
    case Json::value_t::string: return "문자열";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned: return "정수";
    case Json::value_t::number_float: return "실수";
    case Json::value_t::array: return "배열";
    case Json::value_t::object: return "객체";
    default: break;
    }
    return "알 수 없는 값";
}

// The line and column (from 1, in characters) of a byte position.
std::pair<int, int> lineAndColumn(std::string_view text, std::size_t byte) {
    int line = 1, column = 1;
    for (std::size_t i = 0; i < byte && i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == '\n') {
            ++line;
            column = 1;
        } else if ((b & 0xC0) != 0x80) {
            ++column;
        }
    }
    return {line, column};
}

// Finds the first key that stands twice in one object: the parser itself
// keeps only one of them, silently.
struct DuplicateKeys {
    struct Level {
        bool object = false;
        std::string name;  // the key this object is the value of ("controls"); empty in an array or at the top
        std::set<std::string> keys;
        std::string lastKey;
    };
    std::vector<Level> levels;
    std::optional<std::string> first;

    bool operator()(int, nlohmann::detail::parse_event_t event, Json& parsed) {
        using E = nlohmann::detail::parse_event_t;
        switch (event) {
        case E::object_start:
        case E::array_start: {
            Level level;
            level.object = event == E::object_start;
            if (!levels.empty() && levels.back().object) level.name = levels.back().lastKey;
            levels.push_back(std::move(level));
            break;
        }
        case E::object_end:
        case E::array_end:
            if (!levels.empty()) levels.pop_back();
            break;
        case E::key:
            if (!levels.empty() && parsed.is_string()) {
                Level& level = levels.back();
                level.lastKey = parsed.get<std::string>();
                if (!level.keys.insert(level.lastKey).second && !first) {
                    const bool control = levels.size() == 2 && level.name == "controls";
                    first = (control ? "컨트롤 " : "항목 ") + quotedForMessage(level.lastKey) + ": 두 번 있습니다.";
                }
            }
            break;
        case E::value: break;
        }
        return true;
    }
};

bool isInteger(const Json& v) { return v.is_number_integer() || v.is_number_unsigned(); }

// A grid cell's name "MSFBusCap[1][3]" split into the grid and the cell.
struct CellName {
    std::string grid;
    int row = -1, col = -1;
};

std::optional<CellName> cellName(const std::string& name) {
    const std::size_t open = name.find('[');
    const std::size_t mid = name.find("][", open == std::string::npos ? 0 : open);
    if (open == std::string::npos || open == 0 || mid == std::string::npos || name.back() != ']') return std::nullopt;
    auto number = [](std::string_view digits, int& value) {
        if (digits.empty() || digits.size() > 6) return false;
        for (char ch : digits)
            if (ch < '0' || ch > '9') return false;
        std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return true;
    };
    CellName c;
    c.grid = name.substr(0, open);
    const std::string_view all(name);
    if (!number(all.substr(open + 1, mid - open - 1), c.row) ||
        !number(all.substr(mid + 2, name.size() - mid - 3), c.col))
        return std::nullopt;
    return c;
}

bool isWorksheetChooser(const Form& form, const std::string& name) {
    for (const std::string& chooser : form.worksheetChoosers())
        if (chooser == name) return true;
    return false;
}

// An option button or check box: true or false, or 1 or 0 as --set takes it.
bool tickOf(const std::string& where, const Json& v) {
    if (v.is_boolean()) return v.get<bool>();
    if (isInteger(v) && (v == 0 || v == 1)) return v == 1;
    notACase(where + ": 값이 true 또는 false여야 하는데 " + (isInteger(v) ? v.dump() : kindOf(v)) + "입니다.");
}

}  // namespace

// A window keeps nothing besides its controls unless it says so.
nlohmann::ordered_json Form::keptState() const { return nullptr; }

void Form::onRestoreKeptState(const nlohmann::ordered_json&) {
    throw UsageError("state: 이 분석 창은 컨트롤 밖에 지니는 입력이 없습니다.");
}

std::string quotedForMessage(std::string_view text) { return quotedForMessage(text, 40); }

Case readCaseFile(const std::filesystem::path& path) { return parseCase(readCaseBytes(path)); }

std::string readCaseBytes(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) notACase("파일이 없습니다.");
    if (std::filesystem::is_directory(status)) notACase("폴더입니다. 입력자료 파일(*.vcase)을 고르십시오.");
    // A device or a pipe has no size and may never end.
    if (!std::filesystem::is_regular_file(status)) notACase("일반 파일이 아니어서 입력자료 파일이 아닙니다.");
    const char* const tooLarge = "파일이 1 MiB보다 커서 입력자료 파일이 아닙니다.";
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxCaseBytes) notACase(tooLarge);
    std::ifstream in(path, std::ios::binary);
    if (!in) notACase("파일을 읽을 수 없습니다.");
    // At most one byte past the limit, whatever size the file claimed.
    std::string text(kMaxCaseBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) notACase("파일을 읽을 수 없습니다.");
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxCaseBytes) notACase(tooLarge);
    return text;
}

Case parseCase(std::string_view text) {
    if (text.size() > kMaxCaseBytes) notACase("파일이 1 MiB보다 커서 입력자료 파일이 아닙니다.");
    DuplicateKeys duplicates;
    Json doc;
    try {
        doc = Json::parse(text.begin(), text.end(), std::ref(duplicates));
    } catch (const nlohmann::json::parse_error& e) {
        const auto [line, column] = lineAndColumn(text, e.byte == 0 ? 0 : e.byte - 1);
        notACase("JSON 형식이 아닙니다 (" + std::to_string(line) + "행 " + std::to_string(column) +
                 "열). 입력자료 파일이 아닙니다.");
    }
    if (!doc.is_object()) notACase("JSON 객체가 아니어서 입력자료 파일이 아닙니다.");
    if (!doc.contains("format")) notACase("항목 \"format\"이 없어 입력자료 파일이 아닙니다.");
    if (doc["format"] != kCaseFormat)
        notACase("항목 \"format\"이 \"verosa-case\"가 아니어서 입력자료 파일이 아닙니다.");
    if (duplicates.first) notACase(*duplicates.first);
    for (auto it = doc.begin(); it != doc.end(); ++it) {
        const std::string& key = it.key();
        if (key != "format" && key != "version" && key != "analysis" && key != "controls" && key != "state")
            notACase("항목 " + quotedForMessage(key) + ": 입력자료 파일에 없는 항목입니다.");
    }
    if (!doc.contains("version")) notACase("항목 \"version\"이 없습니다.");
    const Json& version = doc["version"];
    if (!isInteger(version)) notACase("항목 \"version\": 값이 정수여야 하는데 " + kindOf(version) + "입니다.");
    if (version.is_number_unsigned() ? version.get<std::uint64_t>() > static_cast<std::uint64_t>(kCaseVersion)
                                     : version.get<std::int64_t>() > kCaseVersion)
        notACase("항목 \"version\": 버전 " + version.dump() +
                 "의 입력자료 파일은 이 프로그램보다 새로운 프로그램이 썼습니다. 이 프로그램은 버전 " +
                 std::to_string(kCaseVersion) + "까지 읽습니다.");
    if (version.get<std::int64_t>() < 1)
        notACase("항목 \"version\": " + version.dump() + "은 입력자료 파일의 버전이 아닙니다.");

    Case c;
    if (!doc.contains("analysis")) notACase("항목 \"analysis\"(분석 이름)가 없습니다.");
    if (!doc["analysis"].is_string())
        notACase("항목 \"analysis\": 값이 분석 이름(문자열)이어야 하는데 " + kindOf(doc["analysis"]) + "입니다.");
    c.analysis = doc["analysis"].get<std::string>();
    if (!doc.contains("controls")) notACase("항목 \"controls\"가 없습니다.");
    const Json& controls = doc["controls"];
    if (!controls.is_object()) notACase("항목 \"controls\": 값이 객체여야 하는데 " + kindOf(controls) + "입니다.");
    for (auto it = controls.begin(); it != controls.end(); ++it) c.controls.emplace_back(it.key(), it.value());
    if (doc.contains("state")) c.state = doc["state"];
    return c;
}

std::string caseText(const Case& c) {
    Json doc = Json::object();
    doc["format"] = kCaseFormat;
    doc["version"] = kCaseVersion;
    doc["analysis"] = c.analysis;
    Json controls = Json::object();
    for (const auto& [name, value] : c.controls) controls[name] = value;
    doc["controls"] = std::move(controls);
    if (!c.state.is_null()) doc["state"] = c.state;
    // A text that is not UTF-8 (only verosa-cli can type one) is kept readable.
    return doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::vector<std::string> caseControlNames(const Form& form) {
    std::vector<std::string> names;
    for (const auto& owned : form.controls()) {
        const Control& c = *owned;
        switch (c.kind) {
        case ControlKind::Text:
            if (!c.readOnly) names.push_back(c.name);
            break;
        case ControlKind::List:
        case ControlKind::Check: names.push_back(c.name); break;
        case ControlKind::Option:
            if (!isWorksheetChooser(form, c.name)) names.push_back(c.name);
            break;
        case ControlKind::Grid:
            for (int r = 0; r < c.grid.rows; ++r)
                for (int col = 0; col < c.grid.cols; ++col)
                    if (c.grid.typedIn(r, col)) names.push_back(cell(c.name, r, col));
            break;
        default: break;
        }
    }
    return names;
}

Case caseOf(const Form& form, const std::string& analysis) {
    Case c;
    c.analysis = analysis;
    for (const std::string& name : caseControlNames(form)) {
        if (const Control* control = form.find(name)) {
            switch (control->kind) {
            case ControlKind::Text: c.controls.emplace_back(name, control->text); break;
            case ControlKind::List: c.controls.emplace_back(name, control->index); break;
            default: c.controls.emplace_back(name, control->checked); break;
            }
        } else if (const auto cell = cellName(name)) {
            const GridData& g = form.at(cell->grid).grid;
            c.controls.emplace_back(name,
                                    g.cells[static_cast<std::size_t>(cell->row)][static_cast<std::size_t>(cell->col)]);
        }
    }
    c.state = form.keptState();
    return c;
}

void applyCase(Form& form, const Case& c) {
    // An option button is set as a user sets it, by choosing it: a button
    // that is off is left to the choice of another of its group, and cleared
    // only where the case chooses none of the group.
    std::set<std::string> chosenGroups;
    for (const auto& [name, value] : c.controls) {
        const Control* control = form.find(name);
        if (control && control->kind == ControlKind::Option && (value == true || value == 1))
            chosenGroups.insert(control->group);
    }

    for (const auto& [name, value] : c.controls) {
        const Control* control = form.find(name);
        const std::string where = (control ? "컨트롤 " + name : "컨트롤 " + quotedForMessage(name));
        auto mustBeText = [&](const char* what) {
            if (!value.is_string()) notACase(where + ": 값이 " + what + "이어야 하는데 " + kindOf(value) + "입니다.");
            return value.get<std::string>();
        };
        Outcome outcome;
        try {
            if (!control) {
                const auto cell = cellName(name);
                const Control* grid = cell ? form.find(cell->grid) : nullptr;
                if (!grid || grid->kind != ControlKind::Grid) notACase(where + ": 이 분석 창에 없는 컨트롤입니다.");
                const std::string cellWhere = "칸 " + name;
                if (!grid->grid.has(cell->row, cell->col)) notACase(cellWhere + ": 이 표에 없는 칸입니다.");
                if (!grid->grid.typedIn(cell->row, cell->col)) notACase(cellWhere + ": 입력하는 칸이 아닙니다.");
                if (!value.is_string()) notACase(cellWhere + ": 값이 문자열이어야 하는데 " + kindOf(value) + "입니다.");
                outcome = form.setCell(cell->grid, cell->row, cell->col, value.get<std::string>());
            } else {
                switch (control->kind) {
                case ControlKind::Text:
                    if (control->readOnly) notACase(where + ": 분석 결과를 보여 주는 칸이어서 입력자료가 아닙니다.");
                    outcome = form.setText(name, mustBeText("문자열"));
                    break;
                case ControlKind::List: {
                    if (!isInteger(value))
                        notACase(where + ": 값이 목록의 위치(정수)여야 하는데 " + kindOf(value) + "입니다.");
                    const int last = static_cast<int>(control->items.size()) - 1;
                    if (value.is_number_unsigned() ? value.get<std::uint64_t>() > static_cast<std::uint64_t>(last)
                                                   : value.get<std::int64_t>() < -1 || value.get<std::int64_t>() > last)
                        notACase(where + ": 목록의 위치는 -1부터 " + std::to_string(last) +
                                 "까지입니다 (입력된 값: " + value.dump() + ").");
                    outcome = form.setIndex(name, value.get<int>());
                    break;
                }
                case ControlKind::Option: {
                    if (isWorksheetChooser(form, name)) notACase(where + ": 값을 입력하는 컨트롤이 아닙니다.");
                    const bool on = tickOf(where, value);
                    if (on || !chosenGroups.count(control->group)) outcome = form.setChecked(name, on);
                    break;
                }
                case ControlKind::Check: outcome = form.setChecked(name, tickOf(where, value)); break;
                default: notACase(where + ": 값을 입력하는 컨트롤이 아닙니다.");
                }
            }
        } catch (const UsageError& e) {
            notACase(where + ": " + e.what());
        }
        if (!outcome.ok()) {
            const std::string why = outcome.message && !outcome.message->text.empty() ? outcome.message->text
                                                                                      : "이 값을 받아들일 수 없습니다.";
            throw CaseError(where + ": " + why, outcome.status);
        }
    }

    if (c.state.is_null()) return;  // the state as the controls left it
    Outcome outcome;
    try {
        outcome = form.restoreKeptState(c.state);
    } catch (const UsageError& e) {
        notACase(e.what());
    }
    if (!outcome.ok())
        throw CaseError("state: " + (outcome.message ? outcome.message->text : std::string()), outcome.status);
}

}  // namespace verosa::form
