#pragma once
// A child window that shows a page of the user guide shipped with the program
// (Markdown files in the guide folder), following the links between its pages.
#include <QWidget>

class QTextBrowser;

namespace verosa::shell {

// The folder of the user guide: beside the program (a build), or in the
// installed share folder; empty when neither holds it.
QString guideFolder();

class GuideViewer : public QWidget {
    Q_OBJECT
public:
    // `page` is a file of the guide folder ("index.md", "tables.md").
    explicit GuideViewer(const QString& page, QWidget* parent = nullptr);
    void showPage(const QString& page);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

}  // namespace verosa::shell
