#include "shell/ShellSupport.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <algorithm>

namespace verosa::shell {

QFont reportFont() {
    QFont font(QStringLiteral("NanumGothicCoding"));
    font.setPixelSize(16);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
    font.setKerning(false);
    return font;
}

QString reportForView(const std::string& report) {
    QString text = qs(report);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A report ends with CR LF; the view shows no empty line after the last one.
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

bool printTexts(QPrinter& printer, const std::vector<std::string>& texts) {
    // On paper the columns hold at any size: the printer's resolution is high
    // enough that the Hangul glyphs keep exactly twice the ASCII advance.
    QFont font(QStringLiteral("NanumGothicCoding"));
    font.setPointSize(10);
    font.setKerning(false);
    QTextDocument document;
    document.setDefaultFont(font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    document.setDefaultTextOption(option);
    QTextCursor cursor(&document);
    bool first = true;
    for (const std::string& text : texts) {
        QTextBlockFormat format;
        if (!first) {
            cursor.insertBlock();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        }
        cursor.setBlockFormat(format);
        cursor.insertText(reportForView(text));
        first = false;
    }
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

void printWithDialog(QWidget* parent, const std::vector<std::string>& texts) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("인쇄"));
    if (dialog.exec() != QDialog::Accepted) return;  // cancelled
    if (!printTexts(printer, texts))
        showMessage(parent, QStringLiteral("인쇄"), QStringLiteral("인쇄하지 못했습니다."), QMessageBox::Critical);
}

ReportView::ReportView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setFont(reportFont());
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
}

// Room for 76 columns (a framed report is 72 with its margin) and the lines.
QSize ReportView::forLines(int lines) const {
    const QFontMetrics fm(font());
    const int frame = 2 * frameWidth() + 8;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {fm.horizontalAdvance(QString(76, QLatin1Char('a'))) + frame + scrollBar, fm.lineSpacing() * lines + frame};
}

QSize ReportView::sizeHint() const { return forLines(36); }
QSize ReportView::minimumSizeHint() const { return forLines(12); }

void showMessage(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("msgBox"));
    box.exec();
}

void showMessage(QWidget* parent, const form::Message& message) {
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (message.icon) {
    case form::MessageIcon::Error: icon = QMessageBox::Critical; break;
    case form::MessageIcon::Warning: icon = QMessageBox::Warning; break;
    case form::MessageIcon::Information: icon = QMessageBox::Information; break;
    }
    showMessage(parent, qs(message.title), qs(message.text), icon);
}

namespace {
QPixmap iconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size);
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(1, QColor(20, 50, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    // A road running into the distance, with its centre line.
    QPolygonF road;
    road << QPointF(size * 0.42, size * 0.25) << QPointF(size * 0.58, size * 0.25) << QPointF(size * 0.9, size)
         << QPointF(size * 0.1, size);
    p.setBrush(QColor(70, 70, 70));
    p.drawPolygon(road);
    p.setPen(QPen(QColor(250, 210, 60), std::max(1.0, size / 24.0)));
    p.drawLine(QPointF(size * 0.5, size * 0.3), QPointF(size * 0.5, size * 0.95));
    p.end();
    return pixmap;
}
}  // namespace

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) icon.addPixmap(iconPixmap(size));
    return icon;
}

}  // namespace verosa::shell
