#pragma once
// The notice window "안내" (frmDialog): what the program is, where to look for
// new versions, and whom to ask. Shown at start-up and by "대하여......"; its
// close leads to the splash window.
#include <QDialog>

class QLabel;
class QPushButton;

namespace verosa::shell {

class NoticeDialog : public QDialog {
    Q_OBJECT
public:
    explicit NoticeDialog(QWidget* parent = nullptr);
    // The four numbered paragraphs of lblInfo.
    static QString noticeText();

    void done(int result) override;

signals:
    // Sent once, just before the window goes, however it is closed (its
    // button, Esc or the title bar), so the splash is on screen before the
    // notice disappears.
    void closing();

private:
    bool closingSent_ = false;
};

}  // namespace verosa::shell
