#include "shell/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>
#include <QUrl>
#include <exception>
#include <filesystem>
#include <map>

#include "analyses/Cases.h"
#include "analyses/Registry.h"
#include "form/Case.h"
#include "numeric/Result.h"
#include "shell/AnalysisWindow.h"
#include "shell/GuideViewer.h"
#include "shell/NoticeDialog.h"
#include "shell/ReportViewer.h"
#include "shell/ShellSupport.h"
#include "shell/SplashWindow.h"

namespace verosa::shell {

namespace {

const char* const kTitle = "2001 VEROSA(Ver 1.00)";
const char* const kTextFilter = "Text File(*.txt)";
const char* const kFileFilter = "Text File(*.txt);;All Files (*)";
const char* const kNotBuilt = "아직 구현되지 않은 분석입니다.";
const char* const kCaseFilter = "Verosa case (*.vcase)";
const char* const kCaseOpenFilter = "Verosa case (*.vcase);;All Files (*)";
// The facility command that last showed an analysis window ("mnuHighwayLaneDesign"):
// its analysis and mode are what the window's case names.
const char* const kCommandProperty = "facilityCommand";
// A larger file is not a report; reading it whole into a view would only stall.
constexpr qint64 kMaxReportFileBytes = 8 * 1024 * 1024;

// Public bodies of the road-traffic field, opened in the system's browser.
struct WebLink {
    const char* name;
    const char* organization;
    const char* address;
};

const WebLink kWebLinks[] = {
    {"mnuHomePage1", "한국교통연구원", "https://www.koti.re.kr"},
    {"mnuHomePage2", "국토교통부", "https://www.molit.go.kr"},
    {"mnuHomePage3", "대한교통학회", "https://www.kst.or.kr"},
    {"mnuHomePage4", "한국도로공사", "https://www.ex.co.kr"},
};

QAction* makeAction(QObject* owner, const char* name, const QString& caption) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* makeMenu(QWidget* parent, const char* name, const QString& caption) {
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    menu->setToolTipsVisible(true);
    return menu;
}

void nameSeparator(QAction* separator, const char* name) { separator->setObjectName(QLatin1String(name)); }

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MDI2001QORA"));
    setWindowTitle(QString::fromUtf8(kTitle));
    setWindowIcon(programIcon());
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    createActions();
    createMenus();

    QSize size(1200, 860);
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        size = size.boundedTo(available.size() * 0.95);
    }
    resize(size);
}

// The notice and the splash are windows of their own; they go with the frame.
MainWindow::~MainWindow() {
    delete splash_.data();
    delete notice_.data();
}

void MainWindow::createActions() {
    openAct_ = makeAction(this, "mnuOpen", QStringLiteral("불러오기"));
    openAct_->setShortcut(QKeySequence::Open);
    connect(openAct_, &QAction::triggered, this,
            [this] { guardSlot(this, QStringLiteral("불러오기"), [this] { openFile(); }); });
    saveAct_ = makeAction(this, "mnuSave", QStringLiteral("저장하기"));
    saveAct_->setShortcut(QKeySequence::Save);
    connect(saveAct_, &QAction::triggered, this,
            [this] { guardSlot(this, QStringLiteral("저장하기"), [this] { saveFile(); }); });
    openCaseAct_ = makeAction(this, "mnuOpenCase", QStringLiteral("입력자료 불러오기..."));
    openCaseAct_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    openCaseAct_->setToolTip(QStringLiteral("저장해 둔 입력자료(*.vcase)로 분석 창을 엽니다."));
    connect(openCaseAct_, &QAction::triggered, this,
            [this] { guardSlot(this, QStringLiteral("입력자료 불러오기"), [this] { openCase(); }); });
    saveCaseAct_ = makeAction(this, "mnuSaveCase", QStringLiteral("입력자료 저장..."));
    saveCaseAct_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    saveCaseAct_->setToolTip(QStringLiteral("현재 분석 창의 입력자료를 파일(*.vcase)에 저장합니다."));
    connect(saveCaseAct_, &QAction::triggered, this,
            [this] { guardSlot(this, QStringLiteral("입력자료 저장"), [this] { saveCase(); }); });
    printAct_ = makeAction(this, "mnuPrint", QStringLiteral("인쇄"));
    printAct_->setShortcut(QKeySequence::Print);
    connect(printAct_, &QAction::triggered, this,
            [this] { guardSlot(this, QStringLiteral("인쇄"), [this] { printFile(); }); });
    exitAct_ = makeAction(this, "mnuExit", QStringLiteral("종료"));
    connect(exitAct_, &QAction::triggered, this, &QWidget::close);

    onlineHelpAct_ = makeAction(this, "mnuOnlineHelp", QStringLiteral("온라인 도움말"));
    onlineHelpAct_->setShortcut(QKeySequence::HelpContents);
    connect(onlineHelpAct_, &QAction::triggered, this, [this] { showGuide(QStringLiteral("index.md")); });
    tableSourcesAct_ = makeAction(this, "mnuTableSources", QStringLiteral("표 값의 출처"));
    connect(tableSourcesAct_, &QAction::triggered, this, [this] { showGuide(QStringLiteral("tables.md")); });
    updateAct_ = makeAction(this, "mnuUpdate", QStringLiteral("Update"));
    connect(updateAct_, &QAction::triggered, this, &MainWindow::showUpdateInfo);
    for (int i = 0; i < 4; ++i) {
        const WebLink& link = kWebLinks[i];
        homePageActs_[i] =
            makeAction(this, link.name, QString::fromUtf8(link.organization) + QStringLiteral(" 홈페이지"));
        const QUrl url(QString::fromUtf8(link.address));
        homePageActs_[i]->setToolTip(url.toString());
        connect(homePageActs_[i], &QAction::triggered, this, [this, url] { openWebLink(url); });
    }
    aboutAct_ = makeAction(this, "mnuAbout", QStringLiteral("대하여......"));
    connect(aboutAct_, &QAction::triggered, this, &MainWindow::showNotice);

    cascadeAct_ = makeAction(this, "mnuCascade", QStringLiteral("계단식 배열"));
    connect(cascadeAct_, &QAction::triggered, mdiArea_, &QMdiArea::cascadeSubWindows);
    tileAct_ = makeAction(this, "mnuTile", QStringLiteral("바둑판식 배열"));
    connect(tileAct_, &QAction::triggered, mdiArea_, &QMdiArea::tileSubWindows);
}

void MainWindow::createMenus() {
    QMenu* file = makeMenu(this, "mnuFile", QStringLiteral("파일(&F)"));
    file->addAction(openAct_);
    file->addAction(saveAct_);
    nameSeparator(file->addSeparator(), "mnuSepCase");
    file->addAction(openCaseAct_);
    file->addAction(saveCaseAct_);
    nameSeparator(file->addSeparator(), "mnuSep1");
    file->addAction(printAct_);
    nameSeparator(file->addSeparator(), "mnuSep2");
    file->addAction(exitAct_);
    menuBar()->addMenu(file);

    QMenu* facility = makeMenu(this, "mnuFacility", QStringLiteral("시설유형(&T)"));
    QMenu* submenu = nullptr;
    for (const analyses::Facility& command : analyses::facilities()) {
        QMenu* host = facility;
        if (!command.submenu.empty()) {
            if (!submenu || submenu->objectName() != qs(command.submenu)) {
                submenu = makeMenu(facility, command.submenu.c_str(), qs(command.submenuCaption));
                facility->addMenu(submenu);
            }
            host = submenu;
        } else {
            submenu = nullptr;
        }
        QAction* action = makeAction(this, command.command.c_str(), qs(command.caption));
        if (!command.built()) {
            action->setEnabled(false);
            action->setToolTip(QString::fromUtf8(kNotBuilt));
        }
        const QString name = qs(command.command);
        connect(action, &QAction::triggered, this, [this, name] { runFacilityCommand(name); });
        host->addAction(action);
    }
    menuBar()->addMenu(facility);

    windowMenu_ = makeMenu(this, "mnuWindow", QStringLiteral("창(&W)"));
    connect(windowMenu_, &QMenu::aboutToShow, this, &MainWindow::rebuildWindowMenu);
    rebuildWindowMenu();
    menuBar()->addMenu(windowMenu_);

    QMenu* help = makeMenu(this, "mnuHelp", QStringLiteral("도움말(&H)"));
    help->addAction(onlineHelpAct_);
    help->addAction(tableSourcesAct_);
    nameSeparator(help->addSeparator(), "mnuSep3");
    help->addAction(updateAct_);
    for (QAction* link : homePageActs_) help->addAction(link);
    help->addAction(aboutAct_);
    menuBar()->addMenu(help);
}

// ---- analysis windows ----

AnalysisWindow* MainWindow::runFacilityCommand(const QString& commandName) {
    const analyses::Facility* command = analyses::findCommand(ss(commandName));
    if (!command) return nullptr;
    // The key goes in first, so the window's creation sees it.
    if (!command->modeKey.empty()) AnalysisIndex.key = command->modeKey;
    AnalysisWindow* window = showAnalysisWindow(qs(command->window));
    if (window) window->setProperty(kCommandProperty, commandName);
    return window;
}

QMdiSubWindow* MainWindow::findSubWindow(const QString& windowName) const {
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == windowName) return sub;
    return nullptr;
}

AnalysisWindow* MainWindow::findAnalysisWindow(const QString& windowName) const {
    QMdiSubWindow* sub = findSubWindow(windowName);
    return sub ? qobject_cast<AnalysisWindow*>(sub->widget()) : nullptr;
}

AnalysisWindow* MainWindow::showAnalysisWindow(const QString& windowName) {
    if (QMdiSubWindow* existing = findSubWindow(windowName)) {
        if (existing->isMinimized()) existing->showNormal();
        mdiArea_->setActiveSubWindow(existing);
        existing->raise();
        auto* window = qobject_cast<AnalysisWindow*>(existing->widget());
        // The key may be another mode of the same window: it is laid out anew at once.
        if (window) window->applyModeKey();
        return window;
    }
    const analyses::FormFactory create = analyses::windowFactory(ss(windowName));
    if (!create) return nullptr;
    std::unique_ptr<form::Form> created;
    try {
        created = create(form::FormContext{&AnalysisIndex, &tables_});
    } catch (const Failure& failure) {
        showMessage(this, QStringLiteral("오류"), qs(failure.error().message), QMessageBox::Critical);
        return nullptr;
    } catch (const std::exception& e) {
        showMessage(this, QStringLiteral("오류"), QStringLiteral("분석 창을 열 수 없습니다.\n") + qs(e.what()),
                    QMessageBox::Critical);
        return nullptr;
    }
    return showNewAnalysisWindow(std::move(created));
}

AnalysisWindow* MainWindow::showNewAnalysisWindow(std::unique_ptr<form::Form> form) {
    auto* window = new AnalysisWindow(std::move(form));
    addChild(window);
    adopt(window);
    // The window's tables are opened once it is on screen, so a missing one is
    // reported over it.
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    const QSize opened = sub ? sub->size() : QSize();
    window->open();
    // Shown on screen, its pages may ask for more room than before: still
    // untouched by the user, it is centred again at its final size.
    if (sub && sub->size() != opened) {
        centre(sub);
        cascadeFromOthers(sub);
    }
    return window;
}

void MainWindow::adopt(AnalysisWindow* window) {
    connect(window, &AnalysisWindow::ownedWindowRequested, this, [this, window](QWidget* owned) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(owned->parentWidget())) {
            sub->showNormal();
            mdiArea_->setActiveSubWindow(sub);
            return;
        }
        int lift = 400;
        for (const auto& declared : window->form().ownedWindows())
            if (qs(declared.name) == owned->objectName()) lift = declared.liftTwips;
        addChild(owned, lift);
        // Closing it hides it: the form fills it again on its next analysis.
        if (auto* sub = qobject_cast<QMdiSubWindow*>(owned->parentWidget()))
            sub->setAttribute(Qt::WA_DeleteOnClose, false);
    });
}

void MainWindow::addChild(QWidget* child, int liftTwips) {
    QMdiSubWindow* sub = mdiArea_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(programIcon());
    sub->adjustSize();
    const QSize room = mdiArea_->viewport()->size();
    if (room.width() > 100 && room.height() > 100) sub->resize(sub->size().boundedTo(room));
    if (auto* analysis = qobject_cast<AnalysisWindow*>(child)) analysis->growToContents();
    centre(sub, liftTwips);
    cascadeFromOthers(sub);
    sub->show();
    mdiArea_->setActiveSubWindow(sub);
}

// A new window that would open exactly over another moves down and right by a
// title bar's height until it sits on a place of its own (while it fits).
void MainWindow::cascadeFromOthers(QMdiSubWindow* sub) const {
    const int step = std::max(20, sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub));
    const QSize room = mdiArea_->viewport()->size();
    auto taken = [&](const QPoint& at) {
        for (QMdiSubWindow* other : mdiArea_->subWindowList())
            if (other != sub && other->isVisible() && (other->pos() - at).manhattanLength() < step / 2) return true;
        return false;
    };
    QPoint at = sub->pos();
    while (taken(at) && at.x() + step + sub->width() <= room.width() && at.y() + step + sub->height() <= room.height())
        at += QPoint(step, step);
    sub->move(at);
}

// The window menu: arranging the child windows, then one entry per open window.
void MainWindow::rebuildWindowMenu() {
    windowMenu_->clear();
    windowMenu_->addAction(cascadeAct_);
    windowMenu_->addAction(tileAct_);
    const QList<QMdiSubWindow*> open = mdiArea_->subWindowList();
    cascadeAct_->setEnabled(!open.isEmpty());
    tileAct_->setEnabled(!open.isEmpty());
    if (open.isEmpty()) return;
    windowMenu_->addSeparator();
    int number = 1;
    for (QMdiSubWindow* sub : open) {
        QAction* entry = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(sub == mdiArea_->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, sub] {
            if (sub->isMinimized()) sub->showNormal();
            mdiArea_->setActiveSubWindow(sub);
        });
    }
}

// 400 twips (or the lift given) above the centre of the MDI area, never so
// high or so far left that the title bar cannot be reached.
void MainWindow::centre(QMdiSubWindow* sub, int liftTwips) const {
    const QWidget* viewport = mdiArea_->viewport();
    const int lift = liftTwips * viewport->logicalDpiY() / 1440;
    const int left = (viewport->width() - sub->width()) / 2;
    const int top = (viewport->height() - sub->height()) / 2 - lift;
    sub->move(std::max(0, left), std::max(0, top));
}

// ---- file commands ----

AnalysisWindow* MainWindow::currentAnalysisWindow() const {
    QMdiSubWindow* sub = mdiArea_->currentSubWindow();
    if (!sub) return nullptr;
    if (auto* analysis = qobject_cast<AnalysisWindow*>(sub->widget())) return analysis;
    // An owned window (a result window of fields) saves and prints what its owner renders.
    for (QMdiSubWindow* other : mdiArea_->subWindowList())
        if (auto* owner = qobject_cast<AnalysisWindow*>(other->widget()))
            for (const auto& window : owner->form().ownedWindows())
                if (owner->ownedWindow(window.name) == sub->widget()) return owner;
    return nullptr;
}

std::string MainWindow::currentReportText() const {
    if (const AnalysisWindow* analysis = currentAnalysisWindow()) return analysis->reportText();
    QMdiSubWindow* sub = mdiArea_->currentSubWindow();
    if (auto* viewer = sub ? qobject_cast<ReportViewer*>(sub->widget()) : nullptr) return viewer->reportText();
    return {};
}

// The file dialogs start in the user's documents folder, then in the folder
// used last (kept while the program runs; nothing is persisted).
QString MainWindow::fileDialogFolder() const {
    if (!lastFolder_.isEmpty()) return lastFolder_;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

std::string MainWindow::currentPrintText() const {
    if (const AnalysisWindow* analysis = currentAnalysisWindow()) return analysis->printText();
    return currentReportText();
}

void MainWindow::openFile() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("불러오기"), fileDialogFolder(),
                                                      QString::fromUtf8(kFileFilter));
    if (path.isEmpty()) return;  // cancelled
    lastFolder_ = QFileInfo(path).absolutePath();
    openReportFile(path);
}

bool MainWindow::openReportFile(const QString& path) {
    const QString title = QStringLiteral("불러오기");
    // Only a regular file: a device or a pipe has no size and may never end.
    if (!QFileInfo(path).isFile()) {
        showMessage(this, title, QStringLiteral("일반 파일이 아니어서 열 수 없습니다.\n") + path, QMessageBox::Warning);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(this, title, QStringLiteral("파일을 열 수 없습니다.\n") + path, QMessageBox::Warning);
        return false;
    }
    // Read at most one byte past the limit, whatever size the file claims.
    const QByteArray bytes = file.read(kMaxReportFileBytes + 1);
    if (bytes.size() > kMaxReportFileBytes) {
        showMessage(this, title, QStringLiteral("파일이 너무 커서 보여 줄 수 없습니다.\n") + path,
                    QMessageBox::Warning);
        return false;
    }
    if (bytes.contains('\0')) {
        showMessage(this, title, QStringLiteral("텍스트 파일이 아닙니다.\n") + path, QMessageBox::Warning);
        return false;
    }
    addChild(new ReportViewer(QFileInfo(path).fileName(), bytes.toStdString()));
    return true;
}

void MainWindow::saveFile() {
    if (currentReportText().empty()) {
        showMessage(this, QStringLiteral("저장하기"), QStringLiteral("저장할 분석 결과가 없습니다."));
        return;
    }
    QString filter;
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("저장하기"), fileDialogFolder(),
                                                        QString::fromUtf8(kFileFilter), &filter);
    if (chosen.isEmpty()) return;  // cancelled
    const QString path = withReportSuffix(chosen, filter);
    lastFolder_ = QFileInfo(path).absolutePath();
    saveReportTo(path);
}

QString MainWindow::withReportSuffix(const QString& path, const QString& chosenFilter) {
    if (chosenFilter != QString::fromUtf8(kTextFilter)) return path;
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".txt") : path;
}

bool MainWindow::saveReportTo(const QString& path) {
    const std::string report = currentReportText();
    if (report.empty()) {
        showMessage(this, QStringLiteral("저장하기"), QStringLiteral("저장할 분석 결과가 없습니다."));
        return false;
    }
    // The model's text as it is: UTF-8 with its CR LF, not the view's lines.
    return writeWhole(this, QStringLiteral("저장하기"), path, report);
}

void MainWindow::printFile() {
    if (currentPrintText().empty()) {
        showMessage(this, QStringLiteral("인쇄"), QStringLiteral("인쇄할 분석 결과가 없습니다."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("인쇄"));
    if (dialog.exec() != QDialog::Accepted) return;  // cancelled
    printReportTo(printer);
}

bool MainWindow::printReportTo(QPrinter& printer) {
    const std::string report = currentPrintText();
    if (report.empty()) {
        showMessage(this, QStringLiteral("인쇄"), QStringLiteral("인쇄할 분석 결과가 없습니다."));
        return false;
    }
    QString title;
    if (QMdiSubWindow* sub = mdiArea_->currentSubWindow()) title = sub->windowTitle();
    if (!printTexts(printer, {report}, title)) {
        showMessage(this, QStringLiteral("인쇄"), QStringLiteral("인쇄하지 못했습니다."), QMessageBox::Critical);
        return false;
    }
    return true;
}

// ---- case files ----

namespace {

// A case's inputs without the analysis it names: what tells two windows'
// inputs apart.
std::string inputsOf(const form::Form& form) { return form::caseText(form::caseOf(form, {})); }

QString caseRefusal(const QString& path, const std::string& why) {
    return QStringLiteral("입력자료를 불러올 수 없습니다.\n") + path + QStringLiteral("\n\n") + qs(why);
}

}  // namespace

std::string MainWindow::caseAnalysisOf(const AnalysisWindow* window) const {
    const analyses::Facility* facility = analyses::findCommand(ss(window->property(kCommandProperty).toString()));
    if (!facility) {
        // Shown by no command (never so in this program): the window's first facility.
        for (const analyses::Facility& f : analyses::facilities())
            if (qs(f.window) == window->objectName() && f.built()) {
                facility = &f;
                break;
            }
    }
    if (!facility) return {};
    return analyses::analysisShown(*facility, window->form()).name;
}

bool MainWindow::hasUnsavedInputs(const AnalysisWindow* window) const {
    const std::string now = inputsOf(window->form());
    if (!window->caseFile().isEmpty()) return now != window->caseInputs();
    // Never saved: compared with the window as its command opens it.
    const analyses::Facility* facility = analyses::findCommand(ss(window->property(kCommandProperty).toString()));
    if (!facility || !facility->built()) return true;
    try {
        return now != inputsOf(*analyses::makeAsMenu(*facility, &tables_).form);
    } catch (const std::exception&) {
        return true;
    }
}

void MainWindow::saveCase() {
    const AnalysisWindow* window = currentAnalysisWindow();
    if (!window) {
        showMessage(this, QStringLiteral("입력자료 저장"),
                    QStringLiteral("저장할 입력자료가 없습니다. 분석 창을 먼저 여십시오."));
        return;
    }
    const QString start = !window->caseFile().isEmpty()
                              ? window->caseFile()
                              : QDir(fileDialogFolder()).filePath(qs(caseAnalysisOf(window)) + form::kCaseSuffix);
    const QString chosen =
        QFileDialog::getSaveFileName(this, QStringLiteral("입력자료 저장"), start, QString::fromUtf8(kCaseFilter));
    if (chosen.isEmpty()) return;  // cancelled
    const QString path = withCaseSuffix(chosen);
    lastFolder_ = QFileInfo(path).absolutePath();
    saveCaseTo(path);
}

QString MainWindow::withCaseSuffix(const QString& path) {
    return QFileInfo(path).suffix().isEmpty() ? path + QString::fromUtf8(form::kCaseSuffix) : path;
}

bool MainWindow::saveCaseTo(const QString& path) {
    const QString title = QStringLiteral("입력자료 저장");
    AnalysisWindow* window = currentAnalysisWindow();
    if (!window) {
        showMessage(this, title, QStringLiteral("저장할 입력자료가 없습니다. 분석 창을 먼저 여십시오."));
        return false;
    }
    const std::string text = form::caseText(form::caseOf(window->form(), caseAnalysisOf(window)));
    if (!writeWhole(this, title, path, text)) return false;
    window->setCaseFile(path, inputsOf(window->form()));
    return true;
}

void MainWindow::openCase() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("입력자료 불러오기"), fileDialogFolder(),
                                                      QString::fromUtf8(kCaseOpenFilter));
    if (path.isEmpty()) return;  // cancelled
    lastFolder_ = QFileInfo(path).absolutePath();
    openCaseFile(path);
}

AnalysisWindow* MainWindow::openCaseFile(const QString& path) {
    const QString title = QStringLiteral("입력자료 불러오기");
    // The case goes into a fresh form first; the key the menu would write is
    // put back unless the window is shown.
    const std::string keyBefore = AnalysisIndex.key;
    analyses::OpenedCase opened;
    try {
        const form::Case read = form::readCaseFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
        opened = analyses::openCase(read, AnalysisIndex, &tables_);
    } catch (const form::CaseError& e) {
        showMessage(this, title, caseRefusal(path, e.what()), QMessageBox::Warning);
        return nullptr;
    } catch (const Failure& failure) {
        AnalysisIndex.key = keyBefore;
        showMessage(this, title, caseRefusal(path, failure.error().message), QMessageBox::Critical);
        return nullptr;
    } catch (const std::exception& e) {
        AnalysisIndex.key = keyBefore;
        showMessage(this, title, caseRefusal(path, e.what()), QMessageBox::Critical);
        return nullptr;
    }
    const QString command = qs(opened.analysis.facility->command);
    const std::string inputs = inputsOf(*opened.form);

    AnalysisWindow* window = nullptr;
    if (QMdiSubWindow* sub = findSubWindow(qs(opened.analysis.facility->window))) {
        auto* open = qobject_cast<AnalysisWindow*>(sub->widget());
        if (open && hasUnsavedInputs(open)) {
            const auto answer = QMessageBox::question(
                this, title,
                QStringLiteral("열려 있는 \"%1\" 창의 입력자료가 저장되지 않았습니다.\n"
                               "불러온 입력자료로 바꾸면 지금의 입력자료는 없어집니다. 바꾸시겠습니까?")
                    .arg(sub->windowTitle()),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
            if (answer != QMessageBox::Yes) {
                AnalysisIndex.key = keyBefore;
                return nullptr;
            }
        }
        // The window of that facility is replaced in its place, with its size.
        window = new AnalysisWindow(std::move(opened.form));
        QWidget* old = sub->widget();
        sub->setWidget(window);
        delete old;  // and the windows it owned
        adopt(window);
        if (sub->isMinimized()) sub->showNormal();
        mdiArea_->setActiveSubWindow(sub);
        window->growToContents();
        window->open();
    } else {
        window = showNewAnalysisWindow(std::move(opened.form));
    }
    window->setProperty(kCommandProperty, command);
    window->setCaseFile(path, inputs);
    return window;
}

void MainWindow::openAfterStartUp(const QStringList& paths) { pendingCases_ = paths; }

// ---- help ----

void MainWindow::showGuide(const QString& page) {
    if (guideFolder().isEmpty()) {
        showMessage(this, QStringLiteral("도움말"),
                    QStringLiteral("사용자 설명서를 찾을 수 없습니다. 프로그램을 다시 설치하십시오."),
                    QMessageBox::Warning);
        return;
    }
    if (QMdiSubWindow* existing = findSubWindow(QStringLiteral("frmGuide"))) {
        static_cast<GuideViewer*>(existing->widget())->showPage(page);
        if (existing->isMinimized()) existing->showNormal();
        mdiArea_->setActiveSubWindow(existing);
        return;
    }
    addChild(new GuideViewer(page));
}

void MainWindow::showUpdateInfo() {
    showMessage(this, QStringLiteral("Update"),
                QStringLiteral("2001 VEROSA 버전 %1\n\n"
                               "새 버전과 변경 내용은 이 프로그램의 저장소와 이슈 게시판에서 알려 드립니다. "
                               "프로그램에 관한 문의와 오류 신고도 이슈 게시판에 남겨 주십시오. "
                               "분석 방법에 관한 문의는 도로용량편람을 펴낸 기관에 하십시오.")
                    .arg(QCoreApplication::applicationVersion().isEmpty() ? QStringLiteral("1.00")
                                                                          : QCoreApplication::applicationVersion()));
}

void MainWindow::openWebLink(const QUrl& url) {
    if (!QDesktopServices::openUrl(url))
        showMessage(this, QStringLiteral("홈페이지"),
                    QStringLiteral("웹 브라우저를 열 수 없습니다. 다음 주소를 직접 여십시오.\n") + url.toString(),
                    QMessageBox::Warning);
}

// ---- start-up, notice and splash ----

void MainWindow::startUp() { showNotice(); }

void MainWindow::showNotice() {
    if (notice_) {
        notice_->raise();
        notice_->activateWindow();
        return;
    }
    notice_ = new NoticeDialog(isVisible() ? this : nullptr);
    notice_->setModal(true);
    connect(notice_, &NoticeDialog::closing, this, &MainWindow::showSplash);
    notice_->show();
}

void MainWindow::showSplash() {
    if (splash_) return;
    splash_ = new SplashWindow;
    connect(splash_, &SplashWindow::finished, this, &MainWindow::showMainWindow);
    if (const QScreen* screen = splash_->screen()) {
        QRect frame = splash_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        splash_->move(frame.topLeft());
    }
    splash_->show();
    splash_->raise();
    splash_->activateWindow();
}

void MainWindow::showMainWindow() {
    if (!isVisible()) show();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    // Case files named on the command line, once the window is on screen.
    if (!pendingCases_.isEmpty()) {
        const QStringList paths = pendingCases_;
        pendingCases_.clear();
        QTimer::singleShot(0, this, [this, paths] {
            for (const QString& path : paths) openCaseFile(path);
        });
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    mdiArea_->closeAllSubWindows();
    if (mdiArea_->currentSubWindow()) {
        event->ignore();
        return;
    }
    // Closing the frame ends the program: no notice or splash stays behind.
    if (notice_) {
        disconnect(notice_, nullptr, this, nullptr);
        notice_->close();
    }
    if (splash_) {
        disconnect(splash_, nullptr, this, nullptr);
        splash_->close();
    }
    event->accept();
    emit closed();
}

}  // namespace verosa::shell
