#pragma once
// Helpers of the GUI tests: catching message boxes, running verosa-cli,
// reading files as bytes, finding top-level windows.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
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

// Lets windows closed with WA_DeleteOnClose go.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace verosa::guitest
