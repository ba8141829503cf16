#include "veldar_page.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace veldar {

VeldarPage::VeldarPage(QWidget* parent)
    : QWidget(parent),
      btnSearchDevicesTVR(new QPushButton(QStringLiteral("Поиск устройств"))),
      btnAddTVR(new QPushButton(QStringLiteral("Добавить TVR"))),
      btnCheckTVRAddress(new QPushButton(QStringLiteral("Определение адреса TVR"))) {
    setObjectName(QStringLiteral("PanelVELDAR"));
    btnSearchDevicesTVR->setObjectName(QStringLiteral("btnSearchDevicesTVR"));
    btnAddTVR->setObjectName(QStringLiteral("btnAddTVR"));
    btnCheckTVRAddress->setObjectName(QStringLiteral("btnCheckTVRAddress"));
    auto* layout = new QVBoxLayout(this);
    for (QPushButton* b : {btnSearchDevicesTVR, btnAddTVR, btnCheckTVRAddress}) {
        b->setMinimumWidth(220);
        layout->addWidget(b, 0, Qt::AlignLeft);
    }
    layout->addStretch(1);
}

}  // namespace veldar
