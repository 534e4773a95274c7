#pragma once
// A child window that shows a text file read-only in the report font: what
// the "불러오기" command opens. It keeps the file's text as it was read, so a
// report saved earlier can be saved or printed again unchanged.
#include <QWidget>
#include <string>

class QPlainTextEdit;

namespace verosa::shell {

class ReportViewer : public QWidget {
    Q_OBJECT
public:
    ReportViewer(const QString& title, std::string text, QWidget* parent = nullptr);
    const std::string& reportText() const { return text_; }

private:
    std::string text_;
    QPlainTextEdit* view_ = nullptr;
};

}  // namespace verosa::shell
