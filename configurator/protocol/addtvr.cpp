#include "addtvr.h"

#include "unit_roster.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace veldar {

TfrmAddTVR::TfrmAddTVR(UnitRoster& roster, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), roster_(roster), txtTVRADR(new QLineEdit) {
    setObjectName(QStringLiteral("TfrmAddTVR"));
    setWindowTitle(QStringLiteral("Новый TVR"));
    txtTVRADR->setObjectName(QStringLiteral("txtTVRADR"));
    txtTVRADR->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), txtTVRADR));
    auto* add = new QPushButton(QStringLiteral("Добавить"));
    add->setObjectName(QStringLiteral("btnAdd"));
    add->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"));
    cancel->setObjectName(QStringLiteral("btnCancel"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Введите адрес TVR")), 0, 0, 1, 2);
    grid->addWidget(txtTVRADR, 1, 0, 1, 2);
    grid->addWidget(add, 2, 0);
    grid->addWidget(cancel, 2, 1);
    connect(add, &QPushButton::clicked, this, [this] { btnAddClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmAddTVR::btnAddClick() {
    if (roster_.add(txtTVRADR->text())) close();
}

}  // namespace veldar
