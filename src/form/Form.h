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
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "form/AnalysisIndex.h"
#include "form/Control.h"
#include "form/Headline.h"
#include "numeric/CheckedInt.h"
#include "numeric/Result.h"

namespace verosa::tables {
class LookupTableStore;
}

namespace verosa::form {

// A caller naming a control that does not exist, a list position or grid cell
// that is not there, or pressing a disabled button: not the user's input but a
// mistake of whoever drives the form (the CLI's usage errors, exit 64).
class UsageError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

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
    std::string showWindow;          // an owned window to show (a result window of fields)
    std::vector<std::string> print;  // texts to print, each from a sheet of its own (the print dialog first)
    bool close = false;              // the window closes itself (and its owned windows)
    bool ok() const { return status == Status::Done; }
};

struct Page {
    std::string caption;
    bool enabled = true;
    std::string toolTip;
};

// A second window a form owns (a result window of fields): shown when an
// outcome asks for it, closed with its owner.
struct OwnedWindow {
    std::string name;  // "frmUrbanResult"
    std::string title;
    int liftTwips = 400;  // placed centred on the main window, this far above its centre
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
    // Every control in declaration order (which is also the tab order).
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    const Control* find(const std::string& name) const;
    const Control& at(const std::string& name) const;  // throws UsageError
    // The view's one observer: called after each outermost action, so the view
    // can bring its widgets up to date.
    void setObserver(std::function<void()> observer) { observer_ = std::move(observer); }
    std::uint64_t revision() const { return revision_; }

    // User actions. Unknown names, a list position or a grid cell that is not
    // there and a disabled button throw UsageError (the CLI's usage errors).
    Outcome setText(const std::string& name, const std::string& text);
    Outcome setIndex(const std::string& name, int index);
    Outcome setChecked(const std::string& name, bool checked);  // option or check box
    Outcome setCell(const std::string& name, int row, int col, const std::string& text);
    Outcome press(const std::string& name);
    Outcome showPage(int page);
    // Run once by the view and the CLI right after the form is built (after the
    // mode is applied): opens the window's tables, reports a missing one.
    Outcome open();
    // Run by the view when the menu brings the window forward with a mode key
    // written anew: a window with modes lays itself out for the key it finds.
    Outcome applyModeKey();

    // The example buttons in declaration order, and the button of a caption.
    std::vector<const Control*> exampleButtons() const;
    const Control* exampleButton(const std::string& caption) const;
    // The text the result view holds (CR LF kept).
    std::string resultText() const;
    // What an analysis command's results print as (verosa-cli's output after
    // pressing it): its report, its worksheet pages one after the other, or
    // the rendering of a grid or a window of fields it wrote.
    std::string renderingOf(const std::string& analysisButton) const;
    // What "저장하기" writes for the page shown: the rendering of the analysis
    // whose button stands on that page, else of the analysis whose report
    // shows on it, else of the form's first analysis.
    std::string savedText() const;
    // What "인쇄" prints for the page shown: that analysis's print layout where
    // it declares one (a table of fields laid out in columns), else savedText().
    std::string printedText() const;
    // Worksheet pages: every page written anew from the current result, in order.
    std::vector<std::string> worksheetPages() const;
    // The headline results of an analysis command (form/Headline.h): every
    // name it declares, in order, with the value of its last completed
    // analysis, or none before it has completed one. Empty for a command that
    // declares no headlines; UsageError for a button that is no analysis.
    std::vector<Headline> headlinesOf(const std::string& analysisButton) const;

    // The windows the form owns besides its own.
    const std::vector<OwnedWindow>& ownedWindows() const { return ownedWindows_; }
    // The analysis button last pressed whose command completed; empty before.
    const std::string& lastAnalysis() const { return lastAnalysis_; }
    // The option buttons that choose worksheet pages (a view of the results,
    // not an input).
    const std::vector<std::string>& worksheetChoosers() const { return worksheetChoosers_; }

    // What the window keeps besides its controls (the lanes a lane entry has
    // stored ...), as a case file keeps it: null where it keeps nothing else.
    virtual nlohmann::ordered_json keptState() const;
    // Takes such a state back (not null), after the controls were set, with
    // the same handling as the actions that built it. A state that does not
    // fit the window throws UsageError naming where it is wrong.
    Outcome restoreKeptState(const nlohmann::ordered_json& state);

protected:
    // ---- declaration (used by a facility form's constructor) ----
    void setWindowName(std::string name) { windowName_ = std::move(name); }
    void setTitle(std::string title) { title_ = std::move(title); }
    int addPage(std::string caption);
    void setPageEnabled(int page, bool enabled, std::string toolTip = {});
    // Controls are added to the current page and frame, in tab order.
    void beginPage(int page);
    void beginFrame(const std::string& name, std::string caption, int columns = 1);
    void endFrame();
    // Controls declared between these stand in an owned window of their own,
    // placed `liftTwips` above the centre of the main window.
    void beginWindow(std::string name, std::string title, int liftTwips = 400);
    void endWindow();
    Control& addText(std::string name, std::string caption, int width = 8);
    // A text field that holds a number within `field`'s bounds; `subject`
    // names it in messages (its caption when empty).
    Control& addNumber(std::string name, std::string caption, NumberField field, int width = 8,
                       std::string subject = {});
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
    // The mode key may have changed since the window was created.
    virtual void onModeKey() {}
    // Restores what keptState() gave (never null); the window that keeps
    // nothing else refuses any state.
    virtual void onRestoreKeptState(const nlohmann::ordered_json& state);

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
    // leaves the previous report in place. It renders as the result view's text.
    void onAnalysis(const std::string& button, int resultPage, std::function<std::string()> body);
    // An analysis command whose results are not a report in the result view
    // (a grid it writes, a window of fields, worksheet pages): the body
    // computes everything before it writes anything; `rendering` is what its
    // results print as; `printing`, where given, what "인쇄" prints instead of
    // the rendering (the same results laid out in columns).
    void onAnalysisCommand(const std::string& button, Handler body, std::function<std::string()> rendering,
                           std::function<std::string()> printing = {});
    // The headline results of an analysis command: `names` fixed and in
    // order; `values` gives one value per name from the last result the
    // command completed (the values its report shows), or nothing while it
    // has none.
    void declareHeadlines(const std::string& button, std::vector<std::string> names,
                          std::function<std::vector<HeadlineValue>()> values);
    // The headlines `values` gives of the last result the form holds in
    // `last`; none before the first.
    template <class Result, class Values>
    void declareHeadlines(const std::string& button, std::vector<std::string> names, const std::optional<Result>& last,
                          Values values) {
        declareHeadlines(button, std::move(names), [&last, values]() -> std::vector<HeadlineValue> {
            if (!last) return {};
            return values(*last);
        });
    }
    // Worksheet pages in the result view, one shown at a time: the option
    // button choosers[i] chooses page i, and each choice writes the page anew
    // with writePage(i) from the current result and inputs.
    void declareWorksheets(std::vector<std::string> choosers, std::function<std::string(int)> writePage);
    // After an analysis: choose (and write) page 0 and show `resultPage`.
    void showWorksheets(int resultPage);

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
    // A cell written by a handler or an analysis, with how it is aligned;
    // the grid's change handler runs when the text changes.
    void writeCell(const std::string& grid, int row, int col, std::string text, Align align);
    void showWindow(const std::string& name);
    // Asks the view to print these texts (after its print dialog).
    void requestPrint(std::vector<std::string> texts);

    // Number fields: the text read strictly (empty as the field declares),
    // refused with "입력오류" naming the field, focus on it, when it is not a
    // number or lies outside the field's bounds.
    double numberOf(const std::string& name) const;
    float singleOf(const std::string& name) const;  // beyond a float's range: refused
    Int16 int16Of(const std::string& name) const;   // rounded half to even; beyond 16 bits: refused
    // The field's text as typed, without the blanks around it, once it was
    // read as a valid number: what a report that echoes a field shows.
    std::string typedNumberOf(const std::string& name) const;
    // How messages name a control: its subject, else its caption.
    std::string subjectOf(const std::string& name) const;

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
    Control& requireKind(const std::string& name, ControlKind kind, const char* what);

    FormContext context_;
    std::string windowName_;
    std::string title_;
    std::vector<Page> pages_;
    int currentPage_ = 0;
    int declPage_ = -1;
    std::vector<std::string> frameStack_;
    std::string declWindow_;
    std::vector<OwnedWindow> ownedWindows_;
    struct AnalysisCommand {
        std::string button;
        std::function<std::string()> rendering;
        std::function<std::string()> printing;
        int resultPage = -1;  // the page its report shows on (onAnalysis); -1 for none
        std::vector<std::string> headlineNames;
        std::function<std::vector<HeadlineValue>()> headlineValues;
    };
    AnalysisCommand& commandOf(const std::string& button);
    const AnalysisCommand* commandOfPage() const;
    std::vector<AnalysisCommand> analysisCommands_;
    std::vector<std::string> worksheetChoosers_;
    std::function<std::string(int)> writeWorksheet_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::string, Control*> byName_;
    std::map<std::string, Handler> changeHandlers_;
    std::map<std::string, Handler> pressHandlers_;
    std::map<std::string, Handler> clickHandlers_;
    std::function<void()> observer_;
    std::uint64_t revision_ = 0;
    std::string lastAnalysis_;
    int depth_ = 0;
    Outcome pending_;
};

}  // namespace verosa::form
