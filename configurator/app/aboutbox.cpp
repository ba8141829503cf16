#include "aboutbox.h"

#include "program_icon.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace veldar {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("О программе"));
    auto* icon = new QLabel;
    icon->setPixmap(programIcon().pixmap(48, 48));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(new QLabel(QStringLiteral("Конфигуратор системы VELDAR")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Версия 4.4")), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Поддерживаемые датчики:")), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("VLK-2R")), 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("VLK-2D (плотномер)")), 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("VLK-2R с датчиком давления")), 5, 1);
    grid->addWidget(ok, 6, 0, 1, 2, Qt::AlignHCenter);
}

}  // namespace veldar
