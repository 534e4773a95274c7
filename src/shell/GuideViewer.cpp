#include "shell/GuideViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace verosa::shell {

QString guideFolder() {
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {program.filePath(QStringLiteral("guide")), program.filePath(QStringLiteral("../share/verosa/guide"))}) {
        if (QFileInfo(QDir(candidate).filePath(QStringLiteral("index.md"))).isFile())
            return QDir(candidate).canonicalPath();
    }
    return {};
}

GuideViewer::GuideViewer(const QString& page, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmGuide"));
    setWindowTitle(QStringLiteral("도움말"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txtGuide"));
    browser_->setOpenLinks(true);
    // Links to the web open in the system's browser; links between pages stay here.
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({guideFolder()});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 620);
    showPage(page);
}

void GuideViewer::showPage(const QString& page) {
    const QString folder = guideFolder();
    browser_->setSearchPaths({folder});
    browser_->setSource(QUrl::fromLocalFile(QDir(folder).filePath(page)), QTextDocument::MarkdownResource);
}

}  // namespace verosa::shell
