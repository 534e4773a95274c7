#include "shell/ReportViewer.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "shell/ShellSupport.h"

namespace verosa::shell {

ReportViewer::ReportViewer(const QString& title, std::string text, QWidget* parent)
    : QWidget(parent), text_(std::move(text)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmReportViewer"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    view_ = new QPlainTextEdit(this);
    view_->setObjectName(QStringLiteral("rtbReport"));
    view_->setReadOnly(true);
    view_->setFont(reportFont());
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setWordWrapMode(QTextOption::NoWrap);
    const QFontMetrics fm(view_->font());
    view_->setMinimumSize(fm.horizontalAdvance(QString(74, QLatin1Char('a'))) + 40, fm.lineSpacing() * 24);
    view_->setPlainText(reportForView(text_));
    layout->addWidget(view_);
}

}  // namespace verosa::shell
