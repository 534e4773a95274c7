#include "shell/NoticeDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ShellSupport.h"

namespace verosa::shell {

QString NoticeDialog::noticeText() {
    return QStringLiteral(
        "1. 이 프로그램은 도로용량편람에 실린 도로 시설별 용량 및 서비스수준 분석 방법을 "
        "전산화한 것입니다. 분석 과정과 결과는 편람의 방법과 표를 따르므로, 반드시 "
        "도로용량편람과 함께 사용하십시오. 프로그램이 쓰는 표 값 가운데 일부는 2001년판이 아니라 "
        "편람의 나중 판(2013년판)에서 옮긴 값이거나 추정한 값입니다. 어느 표의 값이 어디에서 "
        "왔는지는 도움말 메뉴의 \"표 값의 출처\"에서 볼 수 있습니다.\n"
        "\n"
        "2. 사용하기 전에 아래의 프로그램 작성 일자와 버전(Ver 1.00)을 확인하십시오. 새 버전 "
        "소식은 도움말 메뉴의 \"Update\"와 이 프로그램의 저장소, 이슈 게시판에서 알려 드립니다.\n"
        "\n"
        "3. 도로용량편람의 내용에 관한 문의는 국토교통부(www.molit.go.kr) 또는 "
        "한국교통연구원(www.koti.re.kr)으로 하십시오.\n"
        "\n"
        "4. 프로그램에 관한 문의와 오류 신고는 이 프로젝트의 이슈 게시판에 남겨 주십시오.");
}

NoticeDialog::NoticeDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDialog"));
    setWindowTitle(QStringLiteral("안내"));
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);

    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* info = new QLabel(noticeText(), this);
    info->setObjectName(QStringLiteral("lblInfo"));
    info->setTextFormat(Qt::PlainText);
    info->setWordWrap(true);
    info->setTextInteractionFlags(Qt::TextSelectableByMouse);
    info->setFixedWidth(info->fontMetrics().horizontalAdvance(QString(38, QChar(0xAC00))));

    auto* date = new QLabel(QStringLiteral("프로그램 작성 일자 : 2001.10 "), this);
    date->setObjectName(QStringLiteral("Label1"));

    auto* ok = new QPushButton(QStringLiteral("닫기"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(info, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(date);
    bottom->addStretch(1);
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void NoticeDialog::done(int result) {
    if (!closingSent_) {
        closingSent_ = true;
        emit closing();
    }
    QDialog::done(result);
}

}  // namespace verosa::shell
