// The desktop program: the notice, the splash, then the main window.
#include <QApplication>

#include "shell/MainWindow.h"
#include "shell/ShellSupport.h"

int main(int argc, char* argv[]) {
    // QApplication calls setlocale(LC_ALL, "") for the user's locale. That is
    // kept: number reading and report text never consult the C locale, so a
    // comma locale changes no number.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Verosa"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setWindowIcon(verosa::shell::programIcon());

    verosa::shell::MainWindow window;
    window.startUp();
    return app.exec();
}
