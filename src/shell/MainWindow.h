#pragma once
// The main window MDI2001QORA: the frame that hosts every analysis window,
// its menu, the analysis-mode key and the table store the forms share.
//
// A facility command writes its mode key (where it has one) into
// AnalysisIndex, then shows the facility's window, creating it on first use
// and bringing it forward afterwards; each window exists at most once.
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <string>

#include "form/AnalysisIndex.h"
#include "tables/LookupTable.h"

class QAction;
class QMenu;
class QUrl;
class QMdiArea;
class QMdiSubWindow;
class QPrinter;

namespace verosa::form {
class Form;
}

namespace verosa::shell {

class AnalysisWindow;
class NoticeDialog;
class SplashWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The analysis-mode key the menu writes and the forms read.
    verosa::form::AnalysisIndex AnalysisIndex;

    const tables::LookupTableStore& tables() const { return tables_; }
    QMdiArea* mdiArea() const { return mdiArea_; }

    // A facility command of the menu by its control name ("mnuPedstrian"):
    // writes its key, shows its window. Null when that window is not built
    // (the menu item is then disabled) or could not be created.
    AnalysisWindow* runFacilityCommand(const QString& commandName);
    AnalysisWindow* findAnalysisWindow(const QString& windowName) const;

    // The report of the current child window (analysis or report viewer),
    // exactly as its model holds it; empty when there is none.
    std::string currentReportText() const;
    // What "인쇄" prints for the current child window: its report, or the
    // table of fields its form lays out in columns.
    std::string currentPrintText() const;
    // The file commands without their dialogs. Each says so in a message box
    // when there is nothing to act on or the file cannot be used.
    bool saveReportTo(const QString& path);
    // The file name "저장하기" writes to for a name chosen in its dialog: with
    // the text filter chosen, a name without a suffix gets ".txt".
    static QString withReportSuffix(const QString& path, const QString& chosenFilter);
    bool printReportTo(QPrinter& printer);
    bool openReportFile(const QString& path);

    // Case files. "입력자료 저장..." writes the case of the current analysis
    // window (of the analysis on the page it shows) atomically, and the title
    // then shows the file's name. False, with a message, when there is no
    // analysis window or the file cannot be written.
    bool saveCaseTo(const QString& path);
    // The file name "입력자료 저장..." writes to: ".vcase" added to a name
    // without a suffix.
    static QString withCaseSuffix(const QString& path);
    // "입력자료 불러오기...": the window of the case's analysis, in its mode,
    // with the case applied to a fresh form first and shown only when every
    // value was taken. An open window of that facility is replaced in its
    // place; if its inputs were changed since they were last opened or saved
    // (or since it opened), the user is asked first. Null, with a message
    // saying what is wrong and where, when the file is refused (nothing in
    // any window changes), or when the user keeps the open window.
    AnalysisWindow* openCaseFile(const QString& path);
    // Case files named on the command line: opened, in order, once the
    // start-up sequence has shown this window.
    void openAfterStartUp(const QStringList& paths);

    // Start-up: the notice, then the splash, then this window.
    void startUp();
    // "대하여......": the notice again, leading through the splash to this window.
    void showNotice();
    // "온라인 도움말" and "표 값의 출처": a page of the user guide in a child window.
    void showGuide(const QString& page);

signals:
    // The frame has closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void openFile();
    void saveFile();
    void openCase();
    void saveCase();
    // The name of the analysis a window's case names (of the command that
    // showed it, the analysis of the page shown).
    std::string caseAnalysisOf(const AnalysisWindow* window) const;
    // A window whose inputs differ from those it was opened with, or last
    // opened from or saved to a case: replacing it would lose them.
    bool hasUnsavedInputs(const AnalysisWindow* window) const;
    void printFile();
    void showSplash();
    void showMainWindow();
    QMdiSubWindow* findSubWindow(const QString& windowName) const;
    AnalysisWindow* showAnalysisWindow(const QString& windowName);
    // A new window of a form: added, centred and opened (its tables).
    AnalysisWindow* showNewAnalysisWindow(std::unique_ptr<form::Form> form);
    // Shows the owned windows a window asks for as child windows.
    void adopt(AnalysisWindow* window);
    // The analysis window of the current child window: itself, or the owner
    // of an owned window (a result window of fields); null for none.
    AnalysisWindow* currentAnalysisWindow() const;
    void addChild(QWidget* child, int liftTwips = 400);
    void centre(QMdiSubWindow* sub, int liftTwips = 400) const;
    void cascadeFromOthers(QMdiSubWindow* sub) const;
    void rebuildWindowMenu();
    void showUpdateInfo();
    void openWebLink(const QUrl& url);
    QString fileDialogFolder() const;

    QMdiArea* mdiArea_ = nullptr;
    tables::LookupTableStore tables_;
    QPointer<NoticeDialog> notice_;
    QPointer<SplashWindow> splash_;
    QString lastFolder_;        // the folder of the last file dialog, for the next one
    QStringList pendingCases_;  // named on the command line, opened after the start-up
    QMenu* windowMenu_ = nullptr;

    QAction* openAct_ = nullptr;
    QAction* saveAct_ = nullptr;
    QAction* openCaseAct_ = nullptr;
    QAction* saveCaseAct_ = nullptr;
    QAction* printAct_ = nullptr;
    QAction* exitAct_ = nullptr;
    QAction* onlineHelpAct_ = nullptr;
    QAction* updateAct_ = nullptr;
    QAction* homePageActs_[4] = {};
    QAction* aboutAct_ = nullptr;
    QAction* tableSourcesAct_ = nullptr;
    QAction* cascadeAct_ = nullptr;
    QAction* tileAct_ = nullptr;
};

}  // namespace verosa::shell
