#include "rsmonitor.h"

#include <QHideEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace veldar {

TDataRSForm::TDataRSForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      DataRS(new QPlainTextEdit),
      AdrBO(new QLineEdit),
      MsgNum(new QLineEdit),
      RSDataReciv(new QPushButton(QStringLiteral("Начать прием"))),
      ClearButton(new QPushButton(QStringLiteral("Очистить"))) {
    setObjectName(QStringLiteral("TDataRSForm"));
    setWindowTitle(QStringLiteral("Данные на линии RS"));
    DataRS->setObjectName(QStringLiteral("DataRS"));
    DataRS->setReadOnly(true);
    DataRS->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DataRS->setMaximumBlockCount(kMaxLines);
    AdrBO->setObjectName(QStringLiteral("AdrBO"));
    MsgNum->setObjectName(QStringLiteral("MsgNum"));
    RSDataReciv->setObjectName(QStringLiteral("RSDataReciv"));
    ClearButton->setObjectName(QStringLiteral("ClearButton"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Принятые посылки")), 0, 0, 1, 4);
    grid->addWidget(DataRS, 1, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Адрес БО")), 2, 0);
    grid->addWidget(AdrBO, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("# Сообщения")), 2, 2);
    grid->addWidget(MsgNum, 2, 3);
    grid->addWidget(RSDataReciv, 3, 0, 1, 2);
    grid->addWidget(ClearButton, 3, 2, 1, 2);
    grid->setRowStretch(1, 1);
    resize(520, 420);

    connect(RSDataReciv, &QPushButton::clicked, this, [this] { RSDataRecivClick(); });
    connect(ClearButton, &QPushButton::clicked, this, [this] { ClearButtonClick(); });
}

void TDataRSForm::lineReceived(const QByteArray& hexText) {
    DataRS->appendPlainText(QStringLiteral("[3A] [") + QString::fromLatin1(hexText) + QStringLiteral("] [0D][0A]"));
}

void TDataRSForm::answerFields(int address, int command) {
    AdrBO->setText(QString::number(address));
    MsgNum->setText(QString::number(command));
}

void TDataRSForm::RSDataRecivClick() { setReceiving(!receiving_); }

void TDataRSForm::ClearButtonClick() {
    DataRS->clear();
    AdrBO->clear();
    MsgNum->clear();
}

void TDataRSForm::setReceiving(bool on) {
    receiving_ = on;
    RSDataReciv->setText(on ? QStringLiteral("Остановить прием") : QStringLiteral("Начать прием"));
}

void TDataRSForm::hideEvent(QHideEvent* event) {
    // A minimised main window hides its tool windows too; that is no closing.
    if (!event->spontaneous()) setReceiving(false);
    QDialog::hideEvent(event);
}

}  // namespace veldar
