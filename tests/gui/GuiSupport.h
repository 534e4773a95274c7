#pragma once
// Helpers of the GUI tests: catching message boxes, running verosa-cli,
// reading files as bytes, finding top-level windows, child widgets and menu
// commands, the screenshot folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

namespace verosa::guitest {

// Closes every message box as soon as it is shown and remembers what it said,
// so a test can drive commands that show one.
class MessageBoxCatcher {
public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    MessageBoxCatcher() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    const std::vector<Box>& boxes() const { return boxes_; }
    void clear() { boxes_.clear(); }

private:
    void poll() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (box && box->isVisible()) {
                boxes_.push_back({box->windowTitle(), box->text(), box->icon()});
                box->done(QMessageBox::Ok);
            }
        }
    }
    QTimer timer_;
    std::vector<Box> boxes_;
};

// Runs verosa-cli and returns its standard output as bytes.
inline std::string runCli(const QStringList& args, int* status = nullptr) {
    QProcess cli;
    cli.start(QStringLiteral(VEROSA_CLI), args);
    cli.waitForFinished(30000);
    if (status) *status = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    return cli.readAllStandardOutput().toStdString();
}

inline std::string readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

inline QWidget* topLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
    return nullptr;
}

// A named child widget of a window; a test failure where there is none.
template <class W>
W* child(const QWidget* window, const char* name) {
    W* w = window->findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A menu command of a window by its name (not the action of a submenu).
inline QAction* menuCommand(const QWidget& window, const char* name) {
    for (QAction* a : window.findChildren<QAction*>(QLatin1String(name)))
        if (!a->menu()) return a;
    return nullptr;
}

// The folder the pictures for review go to (VEROSA_SCREENSHOT_DIR in the
// environment overrides the build's), made where it is missing.
inline QString screenshotFolder() {
    QString folder = qEnvironmentVariable("VEROSA_SCREENSHOT_DIR");
    if (folder.isEmpty()) folder = QStringLiteral(VEROSA_SCREENSHOT_DIR);
    EXPECT_TRUE(QDir().mkpath(folder)) << folder.toStdString();
    return folder;
}

// Lets windows closed with WA_DeleteOnClose go.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace verosa::guitest
