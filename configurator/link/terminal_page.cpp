#include "terminal_page.h"

#include "line_parameters.h"
#include "terminal.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldar {

TerminalPage::TerminalPage(Terminal& terminal, QWidget* parent)
    : QWidget(parent),
      terminal_(terminal),
      COMMText(new QComboBox),
      cbBaudRate(new QComboBox),
      txtWaitAnsewer(new QLineEdit(QStringLiteral("60"))),
      BtnOk(new QPushButton(QStringLiteral("ОК"))) {
    setObjectName(QStringLiteral("PanelRSSettings"));
    COMMText->setObjectName(QStringLiteral("COMMText"));
    COMMText->addItems(portNames());
    COMMText->setCurrentIndex(-1);
    cbBaudRate->setObjectName(QStringLiteral("cbBaudRate"));
    for (int rate : kBaudRates) cbBaudRate->addItem(QString::number(rate));
    cbBaudRate->setCurrentIndex(-1);
    txtWaitAnsewer->setObjectName(QStringLiteral("txtWaitAnsewer"));
    txtWaitAnsewer->setFixedWidth(60);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));

    auto* gbCOMM = new QGroupBox;
    gbCOMM->setObjectName(QStringLiteral("gbCOMM"));
    auto* grid = new QGridLayout(gbCOMM);
    grid->addWidget(new QLabel(QStringLiteral("СОМ порт")), 0, 0);
    grid->addWidget(COMMText, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Скорость")), 1, 0);
    grid->addWidget(cbBaudRate, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Таймаут ожидания ответа на CMD")), 2, 0);
    grid->addWidget(txtWaitAnsewer, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("сек")), 2, 2);
    grid->addWidget(BtnOk, 3, 1, 1, 2);
    gbCOMM->setFixedWidth(420);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbCOMM, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch();

    connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
}

void TerminalPage::fill() {
    const Terminal::Choice stored = terminal_.stored();
    COMMText->setCurrentIndex(stored.portIndex);
    cbBaudRate->setCurrentIndex(stored.baudIndex);
    txtWaitAnsewer->setText(stored.waitAnsewer);
}

void TerminalPage::BtnOkClick() {
    terminal_.apply({COMMText->currentIndex(), cbBaudRate->currentIndex(), txtWaitAnsewer->text()});
    // An unusable time-out was replaced by the default; show the one in force.
    txtWaitAnsewer->setText(terminal_.stored().waitAnsewer);
}

}  // namespace veldar
