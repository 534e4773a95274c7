#include "shell/SplashWindow.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "shell/ShellSupport.h"

namespace verosa::shell {

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(560, 320);
    setFocusPolicy(Qt::StrongFocus);
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setSingleShot(true);
    timer_->setInterval(kTimeoutMs);
    connect(timer_, &QTimer::timeout, this, &SplashWindow::finish);
    timer_->start();
}

void SplashWindow::finish() {
    if (finished_) return;
    finished_ = true;
    timer_->stop();
    // The main window comes first, so the program never has no window.
    emit finished();
    close();
}

void SplashWindow::keyPressEvent(QKeyEvent*) { finish(); }
void SplashWindow::mousePressEvent(QMouseEvent*) { finish(); }

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area = rect();
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(26, 60, 120));
    sky.setColorAt(1, QColor(10, 24, 56));
    p.fillRect(area, sky);

    // A road running into the distance under the name.
    const double w = area.width(), h = area.height();
    QPolygonF road;
    road << QPointF(w * 0.47, h * 0.62) << QPointF(w * 0.53, h * 0.62) << QPointF(w * 0.78, h) << QPointF(w * 0.22, h);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 64, 72));
    p.drawPolygon(road);
    p.setPen(QPen(QColor(250, 210, 60), 3, Qt::DashLine));
    p.drawLine(QPointF(w * 0.5, h * 0.64), QPointF(w * 0.5, h));

    QFont name(QStringLiteral("NanumGothic"));
    name.setPixelSize(52);
    name.setBold(true);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, h * 0.12, w, 64), Qt::AlignCenter, QStringLiteral("2001 VEROSA"));

    QFont version(QStringLiteral("NanumGothic"));
    version.setPixelSize(22);
    p.setFont(version);
    p.setPen(QColor(250, 210, 60));
    p.drawText(QRectF(0, h * 0.12 + 66, w, 30), Qt::AlignCenter, QStringLiteral("Ver 1.00"));

    QFont subtitle(QStringLiteral("NanumGothic"));
    subtitle.setPixelSize(16);
    p.setFont(subtitle);
    p.setPen(QColor(210, 220, 235));
    p.drawText(QRectF(0, h * 0.12 + 100, w, 24), Qt::AlignCenter,
               QStringLiteral("도로용량편람 용량 및 서비스수준 분석"));

    p.setPen(QPen(QColor(120, 150, 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area.adjusted(1, 1, -1, -1));
}

}  // namespace verosa::shell
