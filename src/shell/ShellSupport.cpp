#include "shell/ShellSupport.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDate>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextOption>
#include <QTranslator>

#include <memory>

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

bool printTexts(QPrinter& printer, const std::vector<std::string>& texts, const QString& title) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // On paper the columns hold at any size: the printer's resolution is high
    // enough that the Hangul glyphs keep exactly twice the ASCII advance.
    QFont font(QStringLiteral("NanumGothicCoding"));
    font.setPointSize(10);
    font.setKerning(false);
    QFont small = font;
    small.setPointSize(8);
    painter.setFont(small);
    const QFontMetrics marks(small, &printer);
    const QRect sheet = printer.pageLayout().paintRectPixels(printer.resolution());
    const int band = marks.height() * 2;
    const QRectF body(0, band, sheet.width(), sheet.height() - 2 * band);

    std::vector<std::unique_ptr<QTextDocument>> documents;
    int total = 0;
    for (const std::string& text : texts) {
        auto document = std::make_unique<QTextDocument>();
        document->documentLayout()->setPaintDevice(&printer);
        document->setDefaultFont(font);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        document->setDefaultTextOption(option);
        document->setDocumentMargin(0);
        document->setPlainText(reportForView(text));
        document->setPageSize(body.size());
        total += document->pageCount();
        documents.push_back(std::move(document));
    }
    const QString header =
        QStringLiteral("%1    2001 VEROSA Ver %2    %3")
            .arg(title, QStringLiteral("1.00"), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    int number = 0;
    for (const auto& document : documents) {
        for (int page = 0; page < document->pageCount(); ++page) {
            if (number > 0 && !printer.newPage()) return false;
            ++number;
            painter.setFont(small);
            painter.drawText(QRectF(0, 0, sheet.width(), band), Qt::AlignLeft | Qt::AlignTop, header);
            painter.drawText(QRectF(0, sheet.height() - band, sheet.width(), band), Qt::AlignHCenter | Qt::AlignBottom,
                             QStringLiteral("%1 / %2").arg(number).arg(total));
            painter.save();
            painter.translate(body.left(), body.top() - page * body.height());
            document->drawContents(&painter, QRectF(0, page * body.height(), body.width(), body.height()));
            painter.restore();
        }
    }
    painter.end();
    return printer.printerState() != QPrinter::Error;
}

void printWithDialog(QWidget* parent, const std::vector<std::string>& texts, const QString& title) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("인쇄"));
    if (dialog.exec() != QDialog::Accepted) return;  // cancelled
    if (!printTexts(printer, texts, title))
        showMessage(parent, QStringLiteral("인쇄"), QStringLiteral("인쇄하지 못했습니다."), QMessageBox::Critical);
}

bool writeWhole(QWidget* parent, const QString& title, const QString& path, const std::string& text) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) && file.commit())
        return true;
    showMessage(parent, title,
                QStringLiteral("파일에 저장할 수 없습니다.\n") + path + QStringLiteral("\n") + file.errorString(),
                QMessageBox::Critical);
    return false;
}

bool installKoreanTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Korean, QLocale::SouthKorea), QStringLiteral("qtbase"), QStringLiteral("_"),
                          folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

ReportView::ReportView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setFont(reportFont());
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
}

// Room for 76 columns (a framed report is 72 with its margin) and the lines.
namespace {
constexpr int kWidestReportColumns = 83;
}

QSize ReportView::forLines(int lines) const {
    const QFontMetrics fm(font());
    // The widest report line is 83 columns (the weaving reports); the text
    // keeps the document's margin on both sides.
    const int frame = 2 * frameWidth() + 2 * static_cast<int>(document()->documentMargin()) + 4;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {fm.horizontalAdvance(QString(kWidestReportColumns, QLatin1Char('a'))) + frame + scrollBar,
            fm.lineSpacing() * lines + frame};
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
