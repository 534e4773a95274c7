#include "shell/AnalysisWindow.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "numeric/Result.h"
#include "shell/ShellSupport.h"

namespace verosa::shell {

using form::Control;
using form::ControlKind;

namespace {

// A drawing of the model: lines, boxes, ellipses and texts in the drawing's
// own units, scaled to the widget and keeping their proportions.
class ShapeView : public QWidget {
public:
    explicit ShapeView(QWidget* parent) : QWidget(parent) {}
    void setData(const form::DrawingData& data) {
        const bool resized = data.width != data_.width || data.height != data_.height;
        data_ = data;
        if (resized) updateGeometry();
        update();
    }
    QSize sizeHint() const override {
        const double w = std::max(1.0, data_.width), h = std::max(1.0, data_.height);
        const double scale = std::min({1.0, 420.0 / w, 300.0 / h});
        return {static_cast<int>(w * scale) + 2, static_cast<int>(h * scale) + 2};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double w = std::max(1.0, data_.width), h = std::max(1.0, data_.height);
        const double scale = std::min((width() - 2) / w, (height() - 2) / h);
        auto at = [scale](double x, double y) { return QPointF(1 + x * scale, 1 + y * scale); };
        const QColor ink = palette().color(QPalette::WindowText);
        const QColor background = palette().color(QPalette::Window);
        for (const auto& s : data_.shapes) {
            const QColor colour = s.dimmed ? background : s.colour.empty() ? ink : QColor(qs(s.colour));
            p.setPen(QPen(colour, 1));
            p.setBrush(s.fill.empty() || s.dimmed ? QBrush(Qt::NoBrush) : QBrush(QColor(qs(s.fill))));
            const QRectF box(at(std::min(s.x1, s.x2), std::min(s.y1, s.y2)),
                             at(std::max(s.x1, s.x2), std::max(s.y1, s.y2)));
            switch (s.kind) {
            case form::Shape::Kind::Line: p.drawLine(at(s.x1, s.y1), at(s.x2, s.y2)); break;
            case form::Shape::Kind::Rect:
                if (!s.framed) p.setPen(Qt::NoPen);
                p.drawRect(box);
                break;
            case form::Shape::Kind::Ellipse: p.drawEllipse(box); break;
            case form::Shape::Kind::Text:
                p.drawText(QRectF(at(s.x1, s.y1), QSizeF(width(), height())), Qt::AlignLeft | Qt::AlignTop, qs(s.text));
                break;
            }
        }
    }

private:
    form::DrawingData data_;
};

// A grid typed in place: a typed key opens the cell editor with that key
// alone; a double click, Enter or Space opens it on the cell's own text with
// the caret at its end; Enter in the editor stores the text and gives the
// focus back to the grid, as does leaving the cell. Cells the model does not
// make editable (headings, result rows) open no editor.
class GridWidget : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    // Typed in place at all (the model's editable grids).
    bool typedIn() const { return editTriggers() != QAbstractItemView::NoEditTriggers; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        const bool onCellText = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
        if (typedIn() && onCellText && state() != EditingState && editCellText(currentIndex())) return;
        QTableWidget::keyPressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (typedIn() && event->button() == Qt::LeftButton && editable(index)) {
            setCurrentIndex(index);
            if (editCellText(index)) return;
        }
        QTableWidget::mouseDoubleClickEvent(event);
    }

private:
    static bool editable(const QModelIndex& index) { return index.isValid() && (index.flags() & Qt::ItemIsEditable); }
    bool editCellText(const QModelIndex& index) {
        if (!editable(index)) return false;
        edit(index);
        // The view selects the editor's whole text; the caret goes to its end.
        if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(index))) {
            editor->deselect();
            editor->end(false);
        }
        return state() == EditingState;
    }
};

bool isField(ControlKind kind) { return kind == ControlKind::Text || kind == ControlKind::List; }
bool grows(ControlKind kind) { return kind == ControlKind::ResultView || kind == ControlKind::Grid; }

QString labelText(const std::string& text) { return reportForView(text); }

// The twips of the model as pixels of this screen (1440 twips an inch).
int twipsToPixels(const QWidget* w, int twips) { return twips * w->logicalDpiX() / 1440; }

}  // namespace

// One place controls are laid out in: a tab page or a frame, with a grid of
// caption + field column pairs.
struct AnalysisWindow::Container {
    QWidget* widget = nullptr;
    QGridLayout* grid = nullptr;
    std::set<std::pair<int, int>> used;
    int nextRow = 0;
    int lastColumn = 0;
    int growRow = -1;  // the row of a result view or grid, which takes the spare height

    // Puts a control at its hinted row and column; a cell already taken sends
    // it to the next free row, so forms without hints still stack cleanly.
    void place(const Control& c, QWidget* field, QLabel* caption) {
        const int rowSpan = std::max(1, c.rowSpan);
        const int span = 2 * std::max(1, c.colSpan);
        int row = std::max(0, c.row);
        const int col = 2 * std::max(0, c.col);
        auto taken = [&](int r) {
            for (int i = r; i < r + rowSpan; ++i)
                for (int j = col; j < col + span; ++j)
                    if (used.count({i, j})) return true;
            return false;
        };
        if (taken(row)) row = nextRow;
        for (int i = row; i < row + rowSpan; ++i)
            for (int j = col; j < col + span; ++j) used.insert({i, j});
        nextRow = std::max(nextRow, row + rowSpan);
        lastColumn = std::max(lastColumn, col + span - 1);
        if (grows(c.kind)) {
            growRow = row;
            grid->addWidget(field, row, col, rowSpan, span);
        } else if (isField(c.kind) && caption) {
            grid->addWidget(caption, row, col, Qt::AlignLeft | Qt::AlignVCenter);
            grid->addWidget(field, row, col + 1, rowSpan, span - 1, Qt::AlignLeft | Qt::AlignVCenter);
        } else {
            grid->addWidget(field, row, col, rowSpan, span,
                            c.kind == ControlKind::Frame ? Qt::Alignment() : Qt::AlignLeft | Qt::AlignVCenter);
        }
    }

    // Packs the controls to the top left; a page with a result view or a grid
    // gives that row the spare room instead.
    void finish() {
        if (growRow >= 0) {
            grid->setRowStretch(growRow, 1);
        } else {
            grid->setRowStretch(nextRow, 1);
            grid->setColumnStretch(lastColumn + 1, 1);
        }
    }
};

AnalysisWindow::AnalysisWindow(std::unique_ptr<form::Form> form, QWidget* parent)
    : QWidget(parent), form_(std::move(form)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(qs(form_->windowName()));
    setWindowTitle(titleText());
    build();
    sync();
    form_->setObserver([this] { sync(); });
}

AnalysisWindow::~AnalysisWindow() {
    // The widgets go after the model: a tab widget taking its pages down still
    // reports a page change, which must not reach the model any more.
    for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
    for (auto& [name, window] : owned_) {
        if (!window) continue;  // already gone with the main window's area
        for (QObject* child : window->findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
        // An owned window goes with its owner, with the child window around it.
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
            sub->deleteLater();
        else
            window->deleteLater();
    }
    form_->setObserver({});
}

QWidget* AnalysisWindow::ownedWindow(const std::string& name) const {
    auto it = owned_.find(name);
    return it == owned_.end() ? nullptr : it->second.data();
}

QWidget* AnalysisWindow::widgetFor(const std::string& name) const {
    auto it = bound_.find(name);
    return it == bound_.end() ? nullptr : it->second.widget;
}

void AnalysisWindow::build() {
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    layout->addWidget(tabs_, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    layout->addLayout(buttonRow);

    // Each page scrolls rather than squashing its controls when the window
    // cannot grow to hold them all.
    std::vector<Container> pages;
    for (const auto& page : form_->pages()) {
        auto* widget = new QWidget;
        Container container;
        container.widget = widget;
        container.grid = new QGridLayout(widget);
        pages.push_back(container);
        auto* scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidget(widget);
        pageContents_.push_back(widget);
        tabs_->addTab(scroll, qs(page.caption));
    }
    std::map<std::string, Container> frames;
    std::map<std::string, Container> windows;
    for (const auto& owned : form_->ownedWindows()) {
        auto* widget = new QWidget;
        widget->setObjectName(qs(owned.name));
        widget->setWindowTitle(qs(owned.title));
        widget->setAttribute(Qt::WA_DeleteOnClose, false);
        Container container;
        container.widget = widget;
        container.grid = new QGridLayout(widget);
        windows.emplace(owned.name, container);
        owned_.emplace(owned.name, widget);
    }
    bool anyOutsideTabs = false;

    for (const auto& owned : form_->controls()) {
        const Control& c = *owned;
        Container* container = nullptr;
        if (!c.parent.empty()) {
            auto it = frames.find(c.parent);
            if (it != frames.end()) container = &it->second;
        }
        if (!container && !c.window.empty()) {
            auto it = windows.find(c.window);
            if (it != windows.end()) container = &it->second;
        }
        if (!container && c.page >= 0 && c.page < static_cast<int>(pages.size()))
            container = &pages[static_cast<size_t>(c.page)];

        Bound bound;
        bound.name = c.name;
        QWidget* host = container ? container->widget : this;
        QWidget* widget = makeWidget(c, bound);
        widget->setParent(host);
        if (bound.caption) bound.caption->setParent(host);
        if (c.kind == ControlKind::Frame) {
            Container frame;
            frame.widget = widget;
            frame.grid = new QGridLayout(widget);
            frames.emplace(c.name, frame);
        }
        if (container) {
            container->place(c, widget, bound.caption);
        } else {
            // Outside the tabs: the window's button row below them.
            anyOutsideTabs = true;
            buttonRow->addWidget(widget);
        }
        connectWidget(c, widget);
        widget->installEventFilter(this);
        bound_.emplace(c.name, std::move(bound));
    }
    for (auto& page : pages) page.finish();
    for (auto& [name, frame] : frames) frame.finish();
    for (auto& [name, window] : windows) window.finish();
    if (!anyOutsideTabs) {
        layout->removeItem(buttonRow);
        delete buttonRow;
    }

    connect(tabs_, &QTabWidget::currentChanged, this, [this](int page) {
        if (page >= 0) act([this, page] { return form_->showPage(page); });
    });
}

QWidget* AnalysisWindow::makeWidget(const Control& c, Bound& bound) {
    QWidget* widget = nullptr;
    switch (c.kind) {
    case ControlKind::Text: {
        auto* edit = new QLineEdit;
        edit->setPlaceholderText(qs(c.placeholder));
        const int chars = std::max(c.width > 0 ? c.width : 8, 2);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 14);
        widget = edit;
        break;
    }
    case ControlKind::List: {
        auto* list = new QComboBox;
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        if (c.width > 0)
            list->setMinimumWidth(list->fontMetrics().horizontalAdvance(QString(c.width, QLatin1Char('0'))) + 30);
        widget = list;
        break;
    }
    case ControlKind::Option: {
        auto* option = new QRadioButton;
        // Which option of a group is on is the model's decision.
        option->setAutoExclusive(false);
        widget = option;
        break;
    }
    case ControlKind::Check: widget = new QCheckBox; break;
    case ControlKind::Button: {
        auto* button = new QPushButton;
        button->setAutoDefault(false);
        widget = button;
        break;
    }
    case ControlKind::Label: {
        auto* label = new QLabel;
        label->setTextFormat(Qt::PlainText);
        if (c.lines > 1) {
            label->setWordWrap(true);
            label->setMinimumHeight(label->fontMetrics().lineSpacing() * c.lines);
        }
        if (c.width > 0)
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString(c.width, QLatin1Char('0'))));
        widget = label;
        break;
    }
    case ControlKind::Frame: widget = new QGroupBox; break;
    case ControlKind::Grid: {
        auto* grid = new GridWidget;
        grid->horizontalHeader()->hide();
        grid->verticalHeader()->hide();
        // A double click, Enter and Space are the grid's own (on the cell's text).
        grid->setEditTriggers(c.grid.editable ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                                              : QAbstractItemView::NoEditTriggers);
        widget = grid;
        break;
    }
    case ControlKind::Drawing: widget = new ShapeView(nullptr); break;
    case ControlKind::ResultView: widget = new ReportView; break;
    }
    widget->setObjectName(qs(c.name));
    if (isField(c.kind) && !c.caption.empty()) {
        bound.caption = new QLabel;
        bound.caption->setTextFormat(Qt::PlainText);
        bound.caption->setBuddy(widget);
    }
    bound.widget = widget;
    return widget;
}

void AnalysisWindow::connectWidget(const Control& c, QWidget* widget) {
    const std::string name = c.name;
    switch (c.kind) {
    case ControlKind::Text:
        connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this,
                [this, name](const QString& text) { act([&] { return form_->setText(name, ss(text)); }); });
        break;
    case ControlKind::List:
        connect(static_cast<QComboBox*>(widget), &QComboBox::activated, this,
                [this, name](int index) { act([&] { return form_->setIndex(name, index); }); });
        break;
    case ControlKind::Option:
        // A click on an option turns it on (a second click does not turn it off).
        connect(static_cast<QRadioButton*>(widget), &QRadioButton::clicked, this,
                [this, name] { act([&] { return form_->setChecked(name, true); }); });
        break;
    case ControlKind::Check:
        connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, this,
                [this, name](bool checked) { act([&] { return form_->setChecked(name, checked); }); });
        break;
    case ControlKind::Button:
        connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                [this, name] { act([&] { return form_->press(name); }); });
        break;
    case ControlKind::Grid:
        connect(static_cast<QTableWidget*>(widget), &QTableWidget::itemChanged, this,
                [this, name](QTableWidgetItem* item) {
                    const int row = item->row(), col = item->column();
                    const std::string text = ss(item->text());
                    act([&] { return form_->setCell(name, row, col, text); });
                });
        break;
    case ControlKind::Label:
    case ControlKind::Frame:
    case ControlKind::Drawing:
    case ControlKind::ResultView: break;
    }
}

void AnalysisWindow::open() {
    act([this] { return form_->open(); });
}

void AnalysisWindow::applyModeKey() {
    act([this] { return form_->applyModeKey(); });
}

// Every model call of the view goes through here: nothing thrown leaves a
// slot, the widgets are brought up to date, and the outcome is shown.
template <class F>
void AnalysisWindow::act(F&& action) {
    if (acting_) return;  // a widget echoing the view's own update
    acting_ = true;
    form::Outcome outcome;
    std::optional<form::Message> failure;
    try {
        outcome = action();
    } catch (const Failure& f) {
        failure = form::Message{"입력오류", f.error().message, form::MessageIcon::Error};
    } catch (const std::exception& e) {
        failure =
            form::Message{"오류", std::string("처리할 수 없는 입력입니다.\n") + e.what(), form::MessageIcon::Error};
    } catch (...) {
        failure = form::Message{"오류", "처리할 수 없는 입력입니다.", form::MessageIcon::Error};
    }
    try {
        sync();
        acting_ = false;
        if (failure)
            showMessage(this, *failure);
        else
            showOutcome(outcome);
    } catch (...) {
        acting_ = false;
    }
}

// The form's title, and the name of the case file the inputs come from.
QString AnalysisWindow::titleText() const {
    if (caseFile_.isEmpty()) return qs(form_->title());
    return qs(form_->title()) + QStringLiteral(" - ") + QFileInfo(caseFile_).fileName();
}

void AnalysisWindow::setCaseFile(const QString& path, std::string inputs) {
    caseFile_ = path;
    caseInputs_ = std::move(inputs);
    setWindowTitle(titleText());
}

void AnalysisWindow::sync() {
    if (windowTitle() != titleText()) setWindowTitle(titleText());
    {
        const QSignalBlocker block(tabs_);
        const auto& pages = form_->pages();
        for (int i = 0; i < static_cast<int>(pages.size()) && i < tabs_->count(); ++i) {
            const auto& page = pages[static_cast<size_t>(i)];
            if (tabs_->tabText(i) != qs(page.caption)) tabs_->setTabText(i, qs(page.caption));
            tabs_->setTabEnabled(i, page.enabled);
            tabs_->setTabToolTip(i, qs(page.toolTip));
        }
        if (tabs_->currentIndex() != form_->currentPage() && form_->currentPage() < tabs_->count())
            tabs_->setCurrentIndex(form_->currentPage());
    }
    for (auto& [name, bound] : bound_)
        if (const Control* c = form_->find(name)) syncControl(*c, bound);
    // Once the layouts have taken in what was shown or hidden.
    QMetaObject::invokeMethod(
        this, [this] { fitWindows(); }, Qt::QueuedConnection);
}

// A group that appears makes the window grow (never shrink) until every page
// shows all its controls at their size, as far as the frame's area allows;
// beyond that the page scrolls.
void AnalysisWindow::growToContents() {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!sub || !sub->mdiArea()) return;
    QSize needed;
    for (QWidget* content : pageContents_) {
        content->layout()->activate();
        needed = needed.expandedTo(content->sizeHint());
    }
    const auto* shown = qobject_cast<QScrollArea*>(tabs_->currentWidget());
    if (!shown) return;
    const QSize viewport = shown->viewport()->size();
    const QSize grow(std::max(0, needed.width() - viewport.width()), std::max(0, needed.height() - viewport.height()));
    if (grow.isNull()) return;
    const QSize room = sub->mdiArea()->viewport()->size();
    QSize target = (sub->size() + grow).boundedTo(room).expandedTo(sub->size());
    if (target == sub->size()) return;
    // Keep the whole window inside the frame's area: move it up or left as it grows.
    QPoint at = sub->pos();
    at.setX(std::max(0, std::min(at.x(), room.width() - target.width())));
    at.setY(std::max(0, std::min(at.y(), room.height() - target.height())));
    sub->setGeometry(QRect(at, target));
}

// The window and its owned windows grow to what their content came to need
// (rows shown by a choice, more result rows), within the main window's area;
// they never shrink, and a size the user chose stays until the content grows
// again.
void AnalysisWindow::fitWindows() {
    growToContents();
    for (auto& [name, window] : owned_) {
        QWidget* content = window.data();
        auto* sub = content ? qobject_cast<QMdiSubWindow*>(content->parentWidget()) : nullptr;
        if (!sub || !sub->isVisible()) continue;
        const QSize hint = sub->sizeHint();
        if (content->property("fittedHint").toSize() == hint) continue;
        content->setProperty("fittedHint", hint);
        QSize target = sub->size().expandedTo(hint);
        if (const QMdiArea* area = sub->mdiArea()) target = target.boundedTo(area->viewport()->size());
        if (target != sub->size()) sub->resize(target);
    }
}

void AnalysisWindow::syncControl(const Control& c, Bound& bound) {
    QWidget* w = bound.widget;
    const QSignalBlocker block(w);
    w->setHidden(!c.visible);
    w->setEnabled(c.enabled);
    if (w->toolTip() != qs(c.toolTip)) w->setToolTip(qs(c.toolTip));
    if (w->property("dimmed").toBool() != c.dimmed) {
        w->setProperty("dimmed", c.dimmed);
        if (c.dimmed) {
            // Painted in the window's background colour: present but unseen.
            QPalette palette = w->palette();
            const QColor background = palette.color(QPalette::Window);
            for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                palette.setColor(role, background);
            w->setPalette(palette);
        } else {
            w->setPalette(QPalette());
        }
    }
    if (bound.caption) {
        bound.caption->setHidden(!c.visible);
        bound.caption->setEnabled(c.enabled);
        if (bound.caption->text() != qs(c.caption)) bound.caption->setText(qs(c.caption));
    }

    switch (c.kind) {
    case ControlKind::Text: {
        auto* edit = static_cast<QLineEdit*>(w);
        if (edit->isReadOnly() != c.readOnly) edit->setReadOnly(c.readOnly);
        // Rewriting an equal text would move the caret to the end.
        if (edit->text() != qs(c.text)) edit->setText(qs(c.text));
        break;
    }
    case ControlKind::List: {
        auto* list = static_cast<QComboBox*>(w);
        bool same = list->count() == static_cast<int>(c.items.size());
        for (int i = 0; same && i < list->count(); ++i) same = list->itemText(i) == qs(c.items[static_cast<size_t>(i)]);
        if (!same) {
            list->clear();
            for (const auto& item : c.items) list->addItem(qs(item));
        }
        if (list->currentIndex() != c.index) list->setCurrentIndex(c.index);
        break;
    }
    case ControlKind::Option:
    case ControlKind::Check: {
        auto* button = static_cast<QAbstractButton*>(w);
        if (button->text() != qs(c.caption)) button->setText(qs(c.caption));
        if (button->isChecked() != c.checked) button->setChecked(c.checked);
        break;
    }
    case ControlKind::Button: {
        auto* button = static_cast<QPushButton*>(w);
        if (button->text() != qs(c.caption)) button->setText(qs(c.caption));
        break;
    }
    case ControlKind::Label: {
        auto* label = static_cast<QLabel*>(w);
        const QString text = labelText(c.text.empty() ? c.caption : c.text);
        if (label->text() != text) label->setText(text);
        break;
    }
    case ControlKind::Frame: {
        auto* frame = static_cast<QGroupBox*>(w);
        if (frame->title() != qs(c.caption)) frame->setTitle(qs(c.caption));
        break;
    }
    case ControlKind::Grid: {
        auto* table = static_cast<QTableWidget*>(w);
        const auto& g = c.grid;
        if (table->rowCount() != g.rows) table->setRowCount(g.rows);
        if (table->columnCount() != g.cols) table->setColumnCount(g.cols);
        const QColor fixed = table->palette().color(QPalette::Button);
        for (int r = 0; r < g.rows; ++r) {
            for (int col = 0; col < g.cols; ++col) {
                const std::string& cell = g.cells[static_cast<size_t>(r)][static_cast<size_t>(col)];
                QTableWidgetItem* item = table->item(r, col);
                if (!item) {
                    item = new QTableWidgetItem;
                    table->setItem(r, col, item);
                }
                if (item->text() != qs(cell)) item->setText(qs(cell));
                const form::Align align = g.align[static_cast<size_t>(r)][static_cast<size_t>(col)];
                const Qt::Alignment wanted = Qt::AlignVCenter | (align == form::Align::Center  ? Qt::AlignHCenter
                                                                 : align == form::Align::Right ? Qt::AlignRight
                                                                                               : Qt::AlignLeft);
                if (item->textAlignment() != static_cast<int>(wanted)) item->setTextAlignment(wanted);
                const bool heading = r < g.fixedRows || col < g.fixedCols;
                const bool typed = g.typedIn(r, col);
                Qt::ItemFlags flags = Qt::ItemIsEnabled;
                if (!heading) flags |= Qt::ItemIsSelectable;
                if (typed) flags |= Qt::ItemIsEditable;
                if (item->flags() != flags) item->setFlags(flags);
                if (heading) item->setBackground(fixed);
            }
        }
        int width = 2 * table->frameWidth();
        for (int col = 0; col < g.cols; ++col) {
            const int twips =
                col < static_cast<int>(g.columnWidthTwips.size()) ? g.columnWidthTwips[static_cast<size_t>(col)] : 0;
            if (twips > 0) table->setColumnWidth(col, twipsToPixels(table, twips));
            width += table->columnWidth(col);
        }
        int height = 2 * table->frameWidth();
        for (int r = 0; r < g.rows; ++r) height += table->rowHeight(r);
        table->setMinimumSize(std::min(width + 4, 760), std::min(height + 4, 360));
        break;
    }
    case ControlKind::Drawing: static_cast<ShapeView*>(w)->setData(c.drawing); break;
    case ControlKind::ResultView: {
        const std::string& report = c.text;
        if (report != bound.shown) {
            static_cast<QPlainTextEdit*>(w)->setPlainText(reportForView(report));
            bound.shown = report;
        }
        break;
    }
    }
}

void AnalysisWindow::showOutcome(const form::Outcome& outcome) {
    if (outcome.message) showMessage(this, *outcome.message);
    if (!outcome.focus.empty()) {
        if (QWidget* w = widgetFor(outcome.focus)) {
            w->setFocus(Qt::OtherFocusReason);
            if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
        }
    }
    if (!outcome.print.empty()) printWithDialog(this, outcome.print, windowTitle());
    if (!outcome.showWindow.empty()) {
        if (QWidget* window = ownedWindow(outcome.showWindow)) emit ownedWindowRequested(window);
    }
    if (outcome.close) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    }
}

// Enter moves to the next field in the windows that want it; the key itself
// still reaches the field.
bool AnalysisWindow::eventFilter(QObject* watched, QEvent* event) {
    // Only the field that has the focus moves it: a key the field ignores
    // travels on to its frame and page, and must not move the focus again.
    // A grid keeps Enter for its cell editor, a text view for itself.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() && static_cast<QWidget*>(watched)->hasFocus() &&
        !qobject_cast<QAbstractItemView*>(watched) && !qobject_cast<QPlainTextEdit*>(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) focusNextChild();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace verosa::shell
