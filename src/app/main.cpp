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
    // The program speaks Korean: Qt's own dialogs too.
    verosa::shell::installKoreanTranslations(app);

    // Between the notice and the main window only the splash is open, which
    // Qt does not count as a window that keeps the program alive; the
    // program ends when the main window closes, and only then.
    QApplication::setQuitOnLastWindowClosed(false);
    verosa::shell::MainWindow window;
    QObject::connect(&window, &verosa::shell::MainWindow::closed, &app, &QCoreApplication::quit);
    window.startUp();
    return app.exec();
}
