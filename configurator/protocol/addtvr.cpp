#include "addtvr.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace veldar {

TfrmAddTVR::TfrmAddTVR(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), txtTVRADR(new QLineEdit) {
    setObjectName(QStringLiteral("TfrmAddTVR"));
    setWindowTitle(QStringLiteral("Новый TVR"));
    txtTVRADR->setObjectName(QStringLiteral("txtTVRADR"));
    txtTVRADR->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), txtTVRADR));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Введите адрес TVR")), 0, 0, 1, 2);
    grid->addWidget(txtTVRADR, 1, 0, 1, 2);
    grid->addWidget(new QPushButton(QStringLiteral("Добавить")), 2, 0);
    grid->addWidget(new QPushButton(QStringLiteral("Отмена")), 2, 1);
}

}  // namespace veldar
