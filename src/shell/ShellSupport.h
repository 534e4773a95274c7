#pragma once
// Small pieces every window of the desktop program shares: the report font,
// message boxes, the program icon and the conversions between the core's
// UTF-8 strings and Qt's.
#include <QFont>
#include <QIcon>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QString>

#include <exception>
#include <string>
#include <vector>

#include "form/Form.h"

class QCoreApplication;
class QPrinter;
class QWidget;

namespace verosa::shell {

inline QString qs(const std::string& s) { return QString::fromStdString(s); }
inline std::string ss(const QString& s) { return s.toStdString(); }

// The fixed-width Hangul font of every report view. Hangul and box-drawing
// glyphs of NanumGothicCoding advance exactly twice the ASCII width only at an
// even pixel size, so the size is set in pixels, never in points.
QFont reportFont();

// The report text as a text widget shows it: CR LF (and a lone CR) become line
// breaks. The widget's text is for the eye only; saving and printing use the
// report text itself.
QString reportForView(const std::string& report);

// A read-only report view in the report font, without wrapping: wide enough
// for a framed report, and as tall as a screenful where there is room.
class ReportView : public QPlainTextEdit {
public:
    explicit ReportView(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    QSize forLines(int lines) const;
};

// Prints report texts in the report font without wrapping, each starting on a
// sheet of its own (a report longer than a sheet goes on to the next). Every
// sheet carries a header (the window's title, the program and its version,
// the date) and a footer "n / m". False when the printer failed.
bool printTexts(QPrinter& printer, const std::vector<std::string>& texts, const QString& title);
// The print dialog, then printTexts; a message when printing failed.
void printWithDialog(QWidget* parent, const std::vector<std::string>& texts, const QString& title);
// Writes `text` to `path` whole or not at all (a file already there stays as
// it was when writing fails, which a message box under `title` then says).
bool writeWhole(QWidget* parent, const QString& title, const QString& path, const std::string& text);

// A modal message box; returns when the user has closed it.
void showMessage(QWidget* parent, const QString& title, const QString& text,
                 QMessageBox::Icon icon = QMessageBox::Information);
void showMessage(QWidget* parent, const form::Message& message);

// Runs the body of a slot so that no exception leaves it: whatever is thrown
// is shown in a message box under `title`.
template <class Body>
void guardSlot(QWidget* parent, const QString& title, Body&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        showMessage(parent, title, QStringLiteral("작업을 마치지 못했습니다.\n") + QString::fromUtf8(e.what()),
                    QMessageBox::Critical);
    }
}

// Qt's own Korean translations (the buttons and captions of the file, print
// and message dialogs), from the platform's translations folder. False when
// they are not installed there; the dialogs then stay in English.
bool installKoreanTranslations(QCoreApplication& app);

// The program's icon, drawn rather than read from a file.
QIcon programIcon();

}  // namespace verosa::shell
