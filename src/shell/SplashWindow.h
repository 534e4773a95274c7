#pragma once
// The splash window (frmSplash): a frameless picture with the program's name
// and version, drawn by the window itself. Its timer (8000 ms), any key or any
// mouse press closes it and leads to the main window.
#include <QWidget>

class QTimer;

namespace verosa::shell {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimeoutMs = 8000;
    explicit SplashWindow(QWidget* parent = nullptr);
    // Closes the window and sends finished(), once.
    void finish();

signals:
    void finished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTimer* timer_ = nullptr;
    bool finished_ = false;
};

}  // namespace verosa::shell
