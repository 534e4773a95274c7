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
    view_ = new ReportView(this);
    view_->setObjectName(QStringLiteral("rtbReport"));
    view_->setPlainText(reportForView(text_));
    layout->addWidget(view_);
}

}  // namespace verosa::shell
