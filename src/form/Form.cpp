#include "form/Form.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "form/Utf8.h"
#include "numeric/Num.h"

namespace verosa::form {

std::string element(std::string_view name, int i) { return std::string(name) + "[" + std::to_string(i) + "]"; }

std::string cell(std::string_view name, int row, int col) {
    return std::string(name) + "[" + std::to_string(row) + "][" + std::to_string(col) + "]";
}

void GridData::resize(int newRows, int newCols) {
    rows = newRows;
    cols = newCols;
    cells.resize(static_cast<size_t>(rows));
    for (auto& row : cells) row.resize(static_cast<size_t>(cols));
    align.resize(static_cast<size_t>(rows));
    for (auto& row : align) row.resize(static_cast<size_t>(cols), defaultAlign);
    columnWidthTwips.resize(static_cast<size_t>(cols));
}

Shape lineShape(double x1, double y1, double x2, double y2, std::string colour, std::string name) {
    Shape s;
    s.kind = Shape::Kind::Line;
    s.x1 = x1, s.y1 = y1, s.x2 = x2, s.y2 = y2;
    s.colour = std::move(colour);
    s.name = std::move(name);
    return s;
}

Shape rectShape(double x1, double y1, double x2, double y2, std::string fill, std::string colour, std::string name) {
    Shape s = lineShape(x1, y1, x2, y2, std::move(colour), std::move(name));
    s.kind = Shape::Kind::Rect;
    s.fill = std::move(fill);
    return s;
}

Shape textShape(double x, double y, std::string text, std::string colour, std::string name) {
    Shape s = lineShape(x, y, 0, 0, std::move(colour), std::move(name));
    s.kind = Shape::Kind::Text;
    s.text = std::move(text);
    return s;
}

Shape* DrawingData::find(const std::string& name) {
    for (auto& s : shapes)
        if (s.name == name) return &s;
    return nullptr;
}

Form::Form(FormContext context) : context_(context) {}
Form::~Form() = default;

const std::string& Form::modeKey() const {
    static const std::string none;
    return context_.index ? context_.index->key : none;
}

const Control* Form::find(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

const Control& Form::at(const std::string& name) const {
    if (const Control* c = find(name)) return *c;
    throw UsageError("no control named " + name);
}

Control& Form::control(const std::string& name) { return const_cast<Control&>(at(name)); }

// ---- declaration ----

int Form::addPage(std::string caption) {
    pages_.push_back({std::move(caption), true, {}});
    declPage_ = static_cast<int>(pages_.size()) - 1;
    frameStack_.clear();
    return declPage_;
}

void Form::setPageEnabled(int page, bool enabled, std::string toolTip) {
    auto& p = pages_.at(static_cast<size_t>(page));
    p.enabled = enabled;
    p.toolTip = std::move(toolTip);
}

void Form::beginPage(int page) {
    declPage_ = page;
    frameStack_.clear();
}

void Form::beginFrame(const std::string& name, std::string caption, int columns) {
    Control& frame = add(name, ControlKind::Frame, std::move(caption));
    frame.columns = columns;
    frameStack_.push_back(name);
}

void Form::endFrame() {
    if (!frameStack_.empty()) frameStack_.pop_back();
}

void Form::beginWindow(std::string name, std::string title, int liftTwips) {
    ownedWindows_.push_back({name, std::move(title), liftTwips});
    declWindow_ = std::move(name);
    declPage_ = -1;
    frameStack_.clear();
}

void Form::endWindow() {
    declWindow_.clear();
    frameStack_.clear();
}

Control& Form::add(std::string name, ControlKind kind, std::string caption) {
    if (byName_.count(name)) throw std::logic_error("control declared twice: " + name);
    auto c = std::make_unique<Control>();
    c->name = std::move(name);
    c->kind = kind;
    c->caption = std::move(caption);
    c->page = declPage_;
    c->window = declWindow_;
    c->parent = frameStack_.empty() ? std::string() : frameStack_.back();
    // Flow layout by default: each control on the next row of its container.
    int rowsUsed = 0;
    for (const auto& other : controls_)
        if (other->page == c->page && other->parent == c->parent && other->window == c->window)
            rowsUsed = std::max(rowsUsed, other->row + other->rowSpan);
    c->row = rowsUsed;
    Control& ref = *c;
    byName_[ref.name] = &ref;
    controls_.push_back(std::move(c));
    return ref;
}

Control& Form::addText(std::string name, std::string caption, int width) {
    Control& c = add(std::move(name), ControlKind::Text, std::move(caption));
    c.width = width;
    return c;
}

Control& Form::addNumber(std::string name, std::string caption, NumberField field, int width, std::string subject) {
    Control& c = addText(std::move(name), std::move(caption), width);
    c.number = std::move(field);
    c.subject = std::move(subject);
    return c;
}

Control& Form::addList(std::string name, std::string caption, std::vector<std::string> items) {
    Control& c = add(std::move(name), ControlKind::List, std::move(caption));
    c.items = std::move(items);
    return c;
}

Control& Form::addOption(std::string name, std::string caption, std::string group) {
    Control& c = add(std::move(name), ControlKind::Option, std::move(caption));
    c.group = std::move(group);
    return c;
}

Control& Form::addCheck(std::string name, std::string caption) {
    return add(std::move(name), ControlKind::Check, std::move(caption));
}

Control& Form::addButton(std::string name, std::string caption, ButtonRole role) {
    Control& c = add(std::move(name), ControlKind::Button, std::move(caption));
    c.role = role;
    return c;
}

Control& Form::addLabel(std::string name, std::string text) {
    Control& c = add(std::move(name), ControlKind::Label, {});
    c.text = std::move(text);
    return c;
}

Control& Form::addGrid(std::string name, int rows, int cols) {
    Control& c = add(std::move(name), ControlKind::Grid, {});
    c.grid.resize(rows, cols);
    return c;
}

Control& Form::addDrawing(std::string name, double width, double height) {
    Control& c = add(std::move(name), ControlKind::Drawing, {});
    c.drawing.width = width;
    c.drawing.height = height;
    return c;
}

Control& Form::addResultView(std::string name) { return add(std::move(name), ControlKind::ResultView, {}); }

Control& Form::place(Control& c, int row, int col, int rowSpan, int colSpan) {
    c.row = row;
    c.col = col;
    c.rowSpan = rowSpan;
    c.colSpan = colSpan;
    return c;
}

void Form::onChange(const std::string& name, Handler handler) {
    at(name);
    changeHandlers_[name] = std::move(handler);
}

void Form::onClick(const std::string& name, Handler handler) {
    at(name);
    clickHandlers_[name] = std::move(handler);
}

void Form::onPress(const std::string& name, Handler handler) {
    at(name);
    pressHandlers_[name] = std::move(handler);
}

void Form::onAnalysis(const std::string& button, int resultPage, std::function<std::string()> body) {
    onAnalysisCommand(
        button,
        [this, body = std::move(body), resultPage] {
            // Everything is computed before the result view is touched, so a
            // failure thrown by the body leaves the previous report.
            std::string report = body();
            writeReport(std::move(report), resultPage);
        },
        [this] { return resultText(); });
    analysisCommands_.back().resultPage = resultPage;
}

void Form::onAnalysisCommand(const std::string& button, Handler body, std::function<std::string()> rendering,
                             std::function<std::string()> printing) {
    onPress(button, std::move(body));
    AnalysisCommand command;
    command.button = button;
    command.rendering = std::move(rendering);
    command.printing = std::move(printing);
    analysisCommands_.push_back(std::move(command));
}

void Form::declareHeadlines(const std::string& button, std::vector<std::string> names,
                            std::function<std::vector<HeadlineValue>()> values) {
    for (const std::string& name : names)
        if (!isHeadlineName(name)) throw std::logic_error("not a headline name: " + name);
    AnalysisCommand& command = commandOf(button);
    command.headlineNames = std::move(names);
    command.headlineValues = std::move(values);
}

Form::AnalysisCommand& Form::commandOf(const std::string& button) {
    for (auto& command : analysisCommands_)
        if (command.button == button) return command;
    throw std::logic_error(button + " is not an analysis button");
}

std::vector<Headline> Form::headlinesOf(const std::string& analysisButton) const {
    for (const auto& command : analysisCommands_) {
        if (command.button != analysisButton) continue;
        std::vector<HeadlineValue> values;
        if (command.headlineValues) values = command.headlineValues();
        if (!values.empty() && values.size() != command.headlineNames.size())
            throw std::logic_error(analysisButton + ": " + std::to_string(values.size()) + " headline values for " +
                                   std::to_string(command.headlineNames.size()) + " names");
        std::vector<Headline> headlines;
        headlines.reserve(command.headlineNames.size());
        for (std::size_t i = 0; i < command.headlineNames.size(); ++i)
            headlines.push_back({command.headlineNames[i], values.empty() ? HeadlineValue() : values[i]});
        return headlines;
    }
    throw UsageError(analysisButton + " is not an analysis button");
}

void Form::declareWorksheets(std::vector<std::string> choosers, std::function<std::string(int)> writePage) {
    worksheetChoosers_ = std::move(choosers);
    writeWorksheet_ = std::move(writePage);
    for (std::size_t i = 0; i < worksheetChoosers_.size(); ++i) {
        const int page = static_cast<int>(i);
        onClick(worksheetChoosers_[i], [this, page] {
            Control* view = resultView();
            if (view) view->text = writeWorksheet_(page);
        });
        onChange(worksheetChoosers_[i], [this, page] {
            Control* view = resultView();
            if (view && isChecked(worksheetChoosers_[static_cast<std::size_t>(page)]))
                view->text = writeWorksheet_(page);
        });
    }
}

void Form::showWorksheets(int resultPage) {
    if (worksheetChoosers_.empty()) throw std::logic_error("the window has no worksheet pages");
    Control* view = resultView();
    if (!view) throw std::logic_error("the window has no result view");
    tick(worksheetChoosers_.front());
    view->text = writeWorksheet_(0);
    pending_.reportWritten = true;
    goToPage(resultPage);
}

std::vector<std::string> Form::worksheetPages() const {
    std::vector<std::string> pages;
    for (std::size_t i = 0; i < worksheetChoosers_.size(); ++i) pages.push_back(writeWorksheet_(static_cast<int>(i)));
    return pages;
}

// ---- actions ----

namespace {
const char* titleOf(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::InputError: return "입력오류";
    case ErrorKind::MissingTable: return "분석표 없음";
    case ErrorKind::ArithmeticFailure: break;
    }
    return "계산오류";
}

Outcome::Status statusOf(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::InputError: return Outcome::Status::Refused;
    case ErrorKind::MissingTable: return Outcome::Status::MissingTable;
    case ErrorKind::ArithmeticFailure: break;
    }
    return Outcome::Status::Failed;
}
}  // namespace

// Runs one action; nested actions (a handler setting another control) add to
// the outcome of the outermost one, which also tells the observer.
template <class F>
Outcome Form::act(F&& f) {
    const bool outermost = depth_ == 0;
    if (outermost) pending_ = Outcome{};
    struct Depth {
        int& d;
        explicit Depth(int& depth) : d(depth) { ++d; }
        ~Depth() { --d; }
    };
    try {
        Depth guard(depth_);
        f();
    } catch (const Failure& failure) {
        if (!outermost) throw;
        const Error& e = failure.error();
        pending_.status = statusOf(e.kind);
        // A failure with no message ends silently (as the method wants it).
        if (!e.message.empty()) pending_.message = Message{titleOf(e.kind), e.message, MessageIcon::Error};
        if (!e.focus.empty()) pending_.focus = e.focus;
    }
    if (!outermost) return {};
    ++revision_;
    if (observer_) observer_();
    return pending_;
}

void Form::run(const Handler& h) {
    if (h) h();
}

void Form::changed(Control& c) {
    auto it = changeHandlers_.find(c.name);
    if (it != changeHandlers_.end()) run(it->second);
}

Outcome Form::setText(const std::string& name, const std::string& text) {
    // A result field is written by its analysis only, in the window as here.
    if (requireKind(name, ControlKind::Text, "a text field").readOnly) throw UsageError(name + " is read-only");
    return act([&] { set(name, text); });
}

Outcome Form::setIndex(const std::string& name, int index) {
    return act([&] {
        choose(name, index);
        clicked(name);
    });
}

Outcome Form::setChecked(const std::string& name, bool checked) {
    return act([&] {
        tick(name, checked);
        if (checked) clicked(name);
    });
}

void Form::clicked(const std::string& name) {
    auto it = clickHandlers_.find(name);
    if (it != clickHandlers_.end()) run(it->second);
}

Control& Form::requireKind(const std::string& name, ControlKind kind, const char* what) {
    Control& c = control(name);
    if (c.kind != kind) throw UsageError(name + " is not " + what);
    return c;
}

Outcome Form::setCell(const std::string& name, int row, int col, const std::string& text) {
    Control& c = requireKind(name, ControlKind::Grid, "a grid");
    if (!c.grid.has(row, col)) throw UsageError(name + ": no such cell");
    // The user types only into the cells the window lets him: never into a
    // heading, nor into the rows an analysis writes.
    if (!c.grid.typedIn(row, col)) throw UsageError(name + ": the cell is not typed in");
    return act([&] {
        std::string& cell = c.grid.cells[static_cast<size_t>(row)][static_cast<size_t>(col)];
        if (cell == text) return;
        cell = text;
        changed(c);
    });
}

Outcome Form::press(const std::string& name) {
    Control& c = requireKind(name, ControlKind::Button, "a button");
    // A disabled button cannot be pressed in the window either.
    if (!c.enabled) throw UsageError("button is disabled: " + name);
    return act([&] {
        if (c.role == ButtonRole::Exit) pending_.close = true;
        auto it = pressHandlers_.find(name);
        if (it != pressHandlers_.end()) run(it->second);
        if (pending_.status == Outcome::Status::Done)
            for (const auto& command : analysisCommands_)
                if (command.button == name) lastAnalysis_ = name;
    });
}

Outcome Form::showPage(int page) {
    return act([&] { goToPage(page); });
}

Outcome Form::open() {
    return act([&] { onOpen(); });
}

Outcome Form::applyModeKey() {
    return act([&] { onModeKey(); });
}

Outcome Form::restoreKeptState(const nlohmann::ordered_json& state) {
    return act([&] { onRestoreKeptState(state); });
}

// ---- used by handlers ----

void Form::set(const std::string& name, const std::string& text) {
    Control& c = requireKind(name, ControlKind::Text, "a text field");
    if (c.text == text) return;
    c.text = text;
    changed(c);
}

void Form::choose(const std::string& name, int index) {
    Control& c = requireKind(name, ControlKind::List, "a list");
    if (index < -1 || index >= static_cast<int>(c.items.size()))
        throw UsageError(name + ": no item at position " + std::to_string(index));
    if (c.index == index) return;
    c.index = index;
    changed(c);
}

void Form::tick(const std::string& name, bool checked) {
    Control& c = control(name);
    if (c.kind != ControlKind::Option && c.kind != ControlKind::Check)
        throw UsageError(name + " is neither an option button nor a check box");
    if (c.checked == checked) return;
    c.checked = checked;
    if (c.kind == ControlKind::Option && checked) {
        // Exclusive within its group: the others go off without running their handlers.
        for (auto& other : controls_)
            if (other.get() != &c && other->kind == ControlKind::Option && other->group == c.group)
                other->checked = false;
    }
    changed(c);
}

void Form::setItems(const std::string& name, std::vector<std::string> items) {
    Control& c = control(name);
    c.items = std::move(items);
    c.index = -1;
}

void Form::setVisible(const std::string& name, bool visible) { control(name).visible = visible; }
void Form::setEnabled(const std::string& name, bool enabled) { control(name).enabled = enabled; }
void Form::setCaption(const std::string& name, std::string caption) { control(name).caption = std::move(caption); }
void Form::setLabel(const std::string& name, std::string text) { control(name).text = std::move(text); }
void Form::showMessage(Message message) { pending_.message = std::move(message); }

void Form::refuse(std::string message, std::string focus) {
    pending_.status = Outcome::Status::Refused;
    pending_.message = Message{"입력오류", std::move(message), MessageIcon::Error};
    if (!focus.empty()) pending_.focus = std::move(focus);
}
void Form::moveFocus(std::string name) { pending_.focus = std::move(name); }

void Form::goToPage(int page) {
    if (page < 0 || page >= static_cast<int>(pages_.size())) throw UsageError("no such page");
    currentPage_ = page;
    pending_.page = page;
}

// The window's result view: its first ResultView control.
Control* Form::resultView() {
    for (auto& c : controls_)
        if (c->kind == ControlKind::ResultView) return c.get();
    return nullptr;
}

void Form::writeReport(std::string text, int resultPage) {
    Control* view = resultView();
    if (!view) throw std::logic_error("the window has no result view");
    view->text = std::move(text);
    pending_.reportWritten = true;
    goToPage(resultPage);
}

void Form::writeCell(const std::string& grid, int row, int col, std::string text, Align align) {
    Control& c = requireKind(grid, ControlKind::Grid, "a grid");
    if (!c.grid.has(row, col)) throw std::logic_error(grid + ": no such cell");
    c.grid.align[static_cast<size_t>(row)][static_cast<size_t>(col)] = align;
    std::string& current = c.grid.cells[static_cast<size_t>(row)][static_cast<size_t>(col)];
    if (current == text) return;
    current = std::move(text);
    changed(c);
}

void Form::showWindow(const std::string& name) { pending_.showWindow = name; }
void Form::requestPrint(std::vector<std::string> texts) { pending_.print = std::move(texts); }

// ---- number fields ----

std::string Form::subjectOf(const std::string& name) const {
    const Control& c = at(name);
    return c.subject.empty() ? c.caption : c.subject;
}

// What the user typed is quoted up to this many characters.
constexpr int kQuotedTyped = 24;

double Form::numberOf(const std::string& name) const {
    const Control& c = at(name);
    const std::string subject = subjectOf(name);
    const WholeNumber read = readWholeNumber(c.text);
    double value = read.value;
    switch (read.kind) {
    case WholeNumber::Kind::Number: break;
    case WholeNumber::Kind::Empty:
        if (c.number && c.number->whenEmpty) {
            value = *c.number->whenEmpty;
            break;
        }
        refuseInput(withParticle(subject, Particle::Object) + " 입력하십시오.", name);
    case WholeNumber::Kind::NotANumber:
        refuseInput(withParticle(subject, Particle::Topic) +
                        " 숫자로 입력하십시오. (입력된 값: " + quotedForMessage(c.text, kQuotedTyped) + ")",
                    name);
    case WholeNumber::Kind::TooLarge: refuseInput(withParticle(subject, Particle::Subject) + " 너무 큽니다.", name);
    }
    if (c.number) requireWithin(value, c.number->bounds, subject, name);
    return value;
}

float Form::singleOf(const std::string& name) const {
    const double value = numberOf(name);
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        refuseInput(tooLargeMessage(subjectOf(name), static_cast<double>(std::numeric_limits<float>::max())), name);
    return static_cast<float>(value);
}

std::string Form::typedNumberOf(const std::string& name) const {
    numberOf(name);
    const std::string& text = textOf(name);
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

Int16 Form::int16Of(const std::string& name) const { return Int16::readRounded(numberOf(name), subjectOf(name), name); }

std::vector<const Control*> Form::exampleButtons() const {
    std::vector<const Control*> out;
    for (const auto& c : controls_)
        if (c->kind == ControlKind::Button && c->role == ButtonRole::Example) out.push_back(c.get());
    return out;
}

const Control* Form::exampleButton(const std::string& caption) const {
    for (const Control* c : exampleButtons())
        if (c->caption == caption) return c;
    return nullptr;
}

std::string Form::resultText() const {
    const Control* view = const_cast<Form*>(this)->resultView();
    return view ? view->text : std::string();
}

std::string Form::renderingOf(const std::string& analysisButton) const {
    for (const auto& command : analysisCommands_)
        if (command.button == analysisButton) return command.rendering();
    throw UsageError(analysisButton + " is not an analysis button");
}

// The analysis whose button stands on the page shown, else the first; null
// for a form without analysis commands.
const Form::AnalysisCommand* Form::commandOfPage() const {
    if (analysisCommands_.empty()) return nullptr;
    for (const auto& command : analysisCommands_)
        if (at(command.button).page == currentPage_) return &command;
    // The result page of a window whose analyses render differently (a grid
    // beside a report): the report it shows.
    for (const auto& command : analysisCommands_)
        if (command.resultPage == currentPage_) return &command;
    return &analysisCommands_.front();
}

std::string Form::savedText() const {
    const AnalysisCommand* command = commandOfPage();
    return command ? command->rendering() : resultText();
}

std::string Form::printedText() const {
    const AnalysisCommand* command = commandOfPage();
    if (command && command->printing) return command->printing();
    return savedText();
}

}  // namespace verosa::form
