#include "changeadrbo.h"

#include "address_change.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veldar {

TChangeAdrBOForm::TChangeAdrBOForm(AddressChange& change, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      change_(change),
      txtNewAdr(new QLineEdit),
      btnWriteBOAdr(new QPushButton(QStringLiteral("Записать"))) {
    setObjectName(QStringLiteral("TChangeAdrBOForm"));
    setWindowTitle(QStringLiteral("Смена адреса БО"));
    txtNewAdr->setObjectName(QStringLiteral("txtNewAdr"));
    btnWriteBOAdr->setObjectName(QStringLiteral("btnWriteBOAdr"));
    btnWriteBOAdr->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"));
    cancel->setObjectName(QStringLiteral("btnCancel"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Новый адрес БО")), 0, 0, 1, 2);
    grid->addWidget(txtNewAdr, 1, 0, 1, 2);
    grid->addWidget(btnWriteBOAdr, 2, 0);
    grid->addWidget(cancel, 2, 1);
    connect(btnWriteBOAdr, &QPushButton::clicked, this, [this] { btnWriteBOAdrClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

void TChangeAdrBOForm::btnWriteBOAdrClick() {
    if (change_.btnWriteBOAdrClick(txtNewAdr->text())) close();
}

}  // namespace veldar
