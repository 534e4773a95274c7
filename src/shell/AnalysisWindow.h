#pragma once
// The Qt view of any analysis form. It builds one widget per control of the
// model (placed by the model's row and column hints), forwards each user
// action to the model, then brings every widget up to date from the model and
// shows the action's outcome: a message box, a page, the focus, closing.
//
// The model is the only holder of values: widgets show them, and the report
// text of saving and printing is the model's, CR LF kept.
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "form/Form.h"

class QLabel;
class QTabWidget;

namespace verosa::shell {

class AnalysisWindow : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisWindow(std::unique_ptr<form::Form> form, QWidget* parent = nullptr);
    ~AnalysisWindow() override;

    form::Form& form() { return *form_; }
    const form::Form& form() const { return *form_; }
    // What "저장하기" writes for the page shown, exactly as the model holds it.
    std::string reportText() const { return form_->savedText(); }
    // What "인쇄" prints for the page shown (a table of fields in columns where
    // the form lays one out), exactly as the model writes it.
    std::string printText() const { return form_->printedText(); }
    // The owned windows of the form (a result window of fields), each a widget
    // of its own that the main window shows as a child window when the form
    // asks for it; they close with this window.
    QWidget* ownedWindow(const std::string& name) const;
    // The widget that shows a control (its caption label for a text field is
    // separate), or null.
    QWidget* widgetFor(const std::string& name) const;

    // Runs the form's opening step (its tables) and shows what it reports.
    // Called once the window is on screen.
    void open();
    // The menu brought the window forward after writing its mode key.
    void applyModeKey();
    // Grows the child window around it (never shrinks it) until every page
    // shows all its controls, as far as the frame's area allows.
    void growToContents();

    // The case file the inputs were last opened from or saved to, whose name
    // the title shows, and the inputs as they were then (a case's controls
    // and state), to tell whether they have changed since.
    void setCaseFile(const QString& path, std::string inputs);
    const QString& caseFile() const { return caseFile_; }
    const std::string& caseInputs() const { return caseInputs_; }

signals:
    // The form asks for one of its owned windows to be shown.
    void ownedWindowRequested(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bound {
        std::string name;
        QWidget* widget = nullptr;
        QLabel* caption = nullptr;  // the caption beside a text field or a list
        std::string shown;          // the report text a result view shows
    };
    struct Container;

    void build();
    QWidget* makeWidget(const form::Control& c, Bound& bound);
    void connectWidget(const form::Control& c, QWidget* widget);
    template <class F>
    void act(F&& action);
    void sync();
    void fitWindows();
    void syncControl(const form::Control& c, Bound& bound);
    void showOutcome(const form::Outcome& outcome);
    QString titleText() const;

    std::unique_ptr<form::Form> form_;
    QTabWidget* tabs_ = nullptr;
    std::map<std::string, Bound> bound_;
    // Owned windows by name; a child window of the main window's area may be
    // taken down before this one when the main window goes.
    std::map<std::string, QPointer<QWidget>> owned_;
    std::vector<QWidget*> pageContents_;  // what each tab page scrolls
    bool acting_ = false;
    QString caseFile_;
    std::string caseInputs_;
};

}  // namespace verosa::shell
