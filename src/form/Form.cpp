#include "form/Form.h"

#include <algorithm>
#include <stdexcept>

namespace verosa::form {

void GridData::resize(int newRows, int newCols) {
    rows = newRows;
    cols = newCols;
    cells.resize(static_cast<size_t>(rows));
    for (auto& row : cells) row.resize(static_cast<size_t>(cols));
    columnWidthTwips.resize(static_cast<size_t>(cols));
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
    throw std::out_of_range("no control named " + name);
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

Control& Form::add(std::string name, ControlKind kind, std::string caption) {
    if (byName_.count(name)) throw std::logic_error("control declared twice: " + name);
    auto c = std::make_unique<Control>();
    c->name = std::move(name);
    c->kind = kind;
    c->caption = std::move(caption);
    c->page = declPage_;
    c->parent = frameStack_.empty() ? std::string() : frameStack_.back();
    // Flow layout by default: each control on the next row of its container.
    int rowsUsed = 0;
    for (const auto& other : controls_)
        if (other->page == c->page && other->parent == c->parent)
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
    onPress(button, [this, body = std::move(body), resultPage] {
        // Everything is computed before the result view is touched, so a
        // failure thrown by the body leaves the previous report.
        std::string report = body();
        writeReport(std::move(report), resultPage);
    });
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

Outcome Form::setCell(const std::string& name, int row, int col, const std::string& text) {
    Control& c = control(name);
    if (c.kind != ControlKind::Grid) throw std::invalid_argument(name + " is not a grid");
    if (row < 0 || row >= c.grid.rows || col < 0 || col >= c.grid.cols)
        throw std::invalid_argument(name + ": no such cell");
    return act([&] {
        std::string& cell = c.grid.cells[static_cast<size_t>(row)][static_cast<size_t>(col)];
        if (cell == text) return;
        cell = text;
        changed(c);
    });
}

Outcome Form::press(const std::string& name) {
    Control& c = control(name);
    if (c.kind != ControlKind::Button) throw std::invalid_argument(name + " is not a button");
    return act([&] {
        if (c.role == ButtonRole::Exit) pending_.close = true;
        auto it = pressHandlers_.find(name);
        if (it != pressHandlers_.end()) run(it->second);
    });
}

Outcome Form::showPage(int page) {
    return act([&] { goToPage(page); });
}

Outcome Form::open() {
    return act([&] { onOpen(); });
}

// ---- used by handlers ----

void Form::set(const std::string& name, const std::string& text) {
    Control& c = control(name);
    if (c.kind != ControlKind::Text) throw std::invalid_argument(name + " is not a text field");
    if (c.text == text) return;
    c.text = text;
    changed(c);
}

void Form::choose(const std::string& name, int index) {
    Control& c = control(name);
    if (c.kind != ControlKind::List) throw std::invalid_argument(name + " is not a list");
    if (index < -1 || index >= static_cast<int>(c.items.size()))
        throw std::invalid_argument(name + ": no item at position " + std::to_string(index));
    if (c.index == index) return;
    c.index = index;
    changed(c);
}

void Form::tick(const std::string& name, bool checked) {
    Control& c = control(name);
    if (c.kind != ControlKind::Option && c.kind != ControlKind::Check)
        throw std::invalid_argument(name + " is neither an option button nor a check box");
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
    if (page < 0 || page >= static_cast<int>(pages_.size())) throw std::invalid_argument("no such page");
    currentPage_ = page;
    pending_.page = page;
}

// The window's result view: its first ResultView control.
Control* Form::resultView() {
    for (auto& c : controls_)
        if (c->kind == ControlKind::ResultView) return c.get();
    return nullptr;
}

void Form::writeReport(std::string text, int resultPage) { writeSheets({std::move(text)}, 0, resultPage); }

void Form::writeSheets(std::vector<std::string> sheets, int sheet, int resultPage) {
    Control* view = resultView();
    if (!view) throw std::logic_error("the window has no result view");
    if (sheet < 0 || sheet >= static_cast<int>(sheets.size())) throw std::logic_error("no such worksheet");
    view->text = sheets[static_cast<size_t>(sheet)];
    view->sheet = sheet;
    view->sheets = sheets.size() > 1 ? std::move(sheets) : std::vector<std::string>{};
    pending_.reportWritten = true;
    goToPage(resultPage);
}

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
    if (!view) return {};
    if (view->sheets.empty()) return view->text;
    std::string all;
    for (const auto& s : view->sheets) all += s;
    return all;
}

}  // namespace verosa::form
