#include "changeadrbo.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veldar {

TChangeAdrBOForm::TChangeAdrBOForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      txtNewAdr(new QLineEdit),
      btnWriteBOAdr(new QPushButton(QStringLiteral("Записать"))) {
    setObjectName(QStringLiteral("TChangeAdrBOForm"));
    setWindowTitle(QStringLiteral("Смена адреса БО"));
    txtNewAdr->setObjectName(QStringLiteral("txtNewAdr"));
    btnWriteBOAdr->setObjectName(QStringLiteral("btnWriteBOAdr"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Новый адрес БО")), 0, 0, 1, 2);
    grid->addWidget(txtNewAdr, 1, 0, 1, 2);
    grid->addWidget(btnWriteBOAdr, 2, 0);
    grid->addWidget(new QPushButton(QStringLiteral("Отмена")), 2, 1);
}

}  // namespace veldar
