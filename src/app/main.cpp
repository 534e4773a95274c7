// The desktop program: the notice, the splash, then the main window, and the
// case files named on the command line opened in it.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

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

    QCommandLineParser arguments;
    arguments.setApplicationDescription(QStringLiteral("도로용량 분석 (Verosa)"));
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument(QStringLiteral("case"), QStringLiteral("열 입력자료 파일 (*.vcase)"),
                                    QStringLiteral("[case.vcase...]"));
    arguments.process(app);
    QStringList cases;
    for (const QString& path : arguments.positionalArguments()) cases << QFileInfo(path).absoluteFilePath();

    // Between the notice and the main window only the splash is open, which
    // Qt does not count as a window that keeps the program alive; the
    // program ends when the main window closes, and only then.
    QApplication::setQuitOnLastWindowClosed(false);
    verosa::shell::MainWindow window;
    QObject::connect(&window, &verosa::shell::MainWindow::closed, &app, &QCoreApplication::quit);
    window.openAfterStartUp(cases);
    window.startUp();
    return app.exec();
}
