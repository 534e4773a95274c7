#pragma once
// The form model: a Qt-free picture of one analysis window. A facility's form
// declares its controls, examples and change handling; the Qt view shows it and
// forwards the user's actions; the CLI and the tests drive the very same object.
//
// Data flow: a user action (type, choose, tick, press) goes through one of the
// set/press calls below. Setting a value the control already has runs nothing;
// otherwise the value changes and the control's change handler runs, whoever
// made the change (the user, an example, the CLI). Handlers may change other
// controls (running their handlers in turn), rebuild lists, show a message, move
// the focus, show a page or refuse; all of that is gathered into the Outcome of
// the outermost action, which the view shows and the CLI reports.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "form/AnalysisIndex.h"
#include "form/Control.h"
#include "numeric/Result.h"

namespace verosa::tables {
class LookupTableStore;
}

namespace verosa::form {

// What a form is created with: the program's mode key and the table store.
struct FormContext {
    AnalysisIndex* index = nullptr;
    const tables::LookupTableStore* tables = nullptr;  // null where no table is needed
};

enum class MessageIcon { Error, Warning, Information };

struct Message {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Error;
};

struct Outcome {
    enum class Status {
        Done,          // the action happened (possibly with a message)
        Refused,       // input refused: "입력오류" message, nothing computed
        Failed,        // arithmetic failure while computing; previous output kept
        MissingTable,  // a table file or table is missing
    };
    Status status = Status::Done;
    std::optional<Message> message;  // a message box to show
    std::string focus;               // the control to focus afterwards
    std::optional<int> page;         // the tab page to show
    bool reportWritten = false;      // the result view was rewritten
    bool close = false;              // the window closes itself
    bool ok() const { return status == Status::Done; }
};

struct Page {
    std::string caption;
    bool enabled = true;
    std::string toolTip;
};

class Form {
public:
    explicit Form(FormContext context);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Window-level state.
    const std::string& windowName() const { return windowName_; }  // "frmPedestrian"
    const std::string& title() const { return title_; }
    const std::vector<Page>& pages() const { return pages_; }
    int currentPage() const { return currentPage_; }
    bool enterMovesFocus() const { return enterMovesFocus_; }
    // Every control in declaration order (which is also the tab order).
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    const Control* find(const std::string& name) const;
    const Control& at(const std::string& name) const;  // throws std::out_of_range
    // The view's one observer: called after each outermost action, so the view
    // can bring its widgets up to date.
    void setObserver(std::function<void()> observer) { observer_ = std::move(observer); }
    std::uint64_t revision() const { return revision_; }

    // User actions. Unknown names throw std::out_of_range; a list position out of
    // range throws std::invalid_argument (the CLI's usage errors).
    Outcome setText(const std::string& name, const std::string& text);
    Outcome setIndex(const std::string& name, int index);
    Outcome setChecked(const std::string& name, bool checked);  // option or check box
    Outcome setCell(const std::string& name, int row, int col, const std::string& text);
    Outcome press(const std::string& name);
    Outcome showPage(int page);
    // Run once by the view and the CLI right after the form is built (after the
    // mode is applied): opens the window's tables, reports a missing one.
    Outcome open();

    // The example buttons in declaration order, and the button of a caption.
    std::vector<const Control*> exampleButtons() const;
    const Control* exampleButton(const std::string& caption) const;
    // The report text of the result view (CR LF kept): its worksheet pages one
    // after the other where it has several.
    std::string resultText() const;
    // What verosa-cli prints after the analysis: the result view's text, unless
    // the window shows its results elsewhere (a grid, a second window).
    virtual std::string cliText() const { return resultText(); }

protected:
    // ---- declaration (used by a facility form's constructor) ----
    void setWindowName(std::string name) { windowName_ = std::move(name); }
    void setTitle(std::string title) { title_ = std::move(title); }
    void setEnterMovesFocus(bool on) { enterMovesFocus_ = on; }
    int addPage(std::string caption);
    void setPageEnabled(int page, bool enabled, std::string toolTip = {});
    // Controls are added to the current page and frame, in tab order.
    void beginPage(int page);
    void beginFrame(const std::string& name, std::string caption, int columns = 1);
    void endFrame();
    Control& addText(std::string name, std::string caption, int width = 8);
    Control& addList(std::string name, std::string caption, std::vector<std::string> items);
    Control& addOption(std::string name, std::string caption, std::string group);
    Control& addCheck(std::string name, std::string caption);
    Control& addButton(std::string name, std::string caption, ButtonRole role = ButtonRole::Other);
    Control& addLabel(std::string name, std::string text);
    Control& addGrid(std::string name, int rows, int cols);
    Control& addDrawing(std::string name, double width, double height);
    Control& addResultView(std::string name = "rtbResult");
    // Places a control at a row/column of its container (layout hint only).
    Control& place(Control& c, int row, int col, int rowSpan = 1, int colSpan = 1);

    // Window creation after the mode: open tables and the like. A Failure thrown
    // here (a missing table) is shown; the form stays usable.
    virtual void onOpen() {}

    // ---- behaviour ----
    using Handler = std::function<void()>;
    void onChange(const std::string& name, Handler handler);
    // A click on a list or option button by the user (or the CLI): runs on every
    // choice, even of the value it already has, after the change handling.
    void onClick(const std::string& name, Handler handler);
    void onPress(const std::string& name, Handler handler);
    // An analysis command: the body computes everything and returns the report;
    // only when it returns is the result view rewritten and `resultPage` shown.
    // A Failure thrown inside becomes the refusal or failure of the outcome and
    // leaves the previous report in place.
    void onAnalysis(const std::string& button, int resultPage, std::function<std::string()> body);

    // ---- used by handlers: the same change handling as a user's action ----
    Control& control(const std::string& name);
    void set(const std::string& name, const std::string& text);              // Text
    void choose(const std::string& name, int index);                         // List
    void tick(const std::string& name, bool checked = true);                 // Option / Check
    void setItems(const std::string& name, std::vector<std::string> items);  // rebuilt, no choice; runs nothing
    void setVisible(const std::string& name, bool visible);
    void setEnabled(const std::string& name, bool enabled);
    void setCaption(const std::string& name, std::string caption);
    void setLabel(const std::string& name, std::string text);
    void showMessage(Message message);
    // A handler that refuses a value (and resets it itself) without stopping:
    // the outcome becomes a refusal with the "입력오류" message.
    void refuse(std::string message, std::string focus = {});
    void moveFocus(std::string name);
    void goToPage(int page);
    void writeReport(std::string text, int resultPage);
    // A result view with several worksheet pages; `sheet` is the one shown.
    void writeSheets(std::vector<std::string> sheets, int sheet, int resultPage);

    // Read helpers for building input records.
    const std::string& textOf(const std::string& name) const { return at(name).text; }
    int indexOf(const std::string& name) const { return at(name).index; }
    bool isChecked(const std::string& name) const { return at(name).checked; }

    const FormContext& context() const { return context_; }
    const std::string& modeKey() const;

private:
    Control& add(std::string name, ControlKind kind, std::string caption);
    void changed(Control& c);
    void clicked(const std::string& name);
    Control* resultView();
    template <class F>
    Outcome act(F&& f);
    void run(const Handler& h);

    FormContext context_;
    std::string windowName_;
    std::string title_;
    bool enterMovesFocus_ = false;
    std::vector<Page> pages_;
    int currentPage_ = 0;
    int declPage_ = -1;
    std::vector<std::string> frameStack_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::string, Control*> byName_;
    std::map<std::string, Handler> changeHandlers_;
    std::map<std::string, Handler> pressHandlers_;
    std::map<std::string, Handler> clickHandlers_;
    std::function<void()> observer_;
    std::uint64_t revision_ = 0;
    int depth_ = 0;
    Outcome pending_;
};

}  // namespace verosa::form
