#pragma once
// The main window MDI2001QORA: the frame that hosts every analysis window,
// its menu, the analysis-mode key and the table store the forms share.
//
// A facility command writes its mode key (where it has one) into
// AnalysisIndex, then shows the facility's window, creating it on first use
// and bringing it forward afterwards; each window exists at most once.
#include <QMainWindow>
#include <QPointer>
#include <string>

#include "form/AnalysisIndex.h"
#include "tables/LookupTable.h"

class QAction;
class QMenu;
class QUrl;
class QMdiArea;
class QMdiSubWindow;
class QPrinter;

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
    void printFile();
    void showSplash();
    void showMainWindow();
    QMdiSubWindow* findSubWindow(const QString& windowName) const;
    AnalysisWindow* showAnalysisWindow(const QString& windowName);
    // The analysis window of the current child window: itself, or the owner
    // of an owned window (a result window of fields); null for none.
    const AnalysisWindow* currentAnalysisWindow() const;
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
    QString lastFolder_;  // the folder of the last file dialog, for the next one
    QMenu* windowMenu_ = nullptr;

    QAction* openAct_ = nullptr;
    QAction* saveAct_ = nullptr;
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
