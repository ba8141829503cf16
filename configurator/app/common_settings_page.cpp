#include "common_settings_page.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace veldar {

CommonSettingsPage::CommonSettingsPage(QWidget* parent)
    : QWidget(parent), PageControlDensitySettings(new QTabWidget), tabGasPressure(new QWidget) {
    setObjectName(QStringLiteral("PanelTVRCommonSettings"));
    PageControlDensitySettings->setObjectName(QStringLiteral("PageControlDensitySettings"));
    tabGasPressure->setObjectName(QStringLiteral("tabGasPressure"));
    PageControlDensitySettings->addTab(new QWidget, QStringLiteral("Плотность жидкости"));
    PageControlDensitySettings->addTab(new QWidget, QStringLiteral("Плотность пара"));
    PageControlDensitySettings->addTab(tabGasPressure, QStringLiteral("Давление пара"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControlDensitySettings);
}

void CommonSettingsPage::setGasPressureShown(bool shown) {
    PageControlDensitySettings->setTabVisible(PageControlDensitySettings->indexOf(tabGasPressure), shown);
}

bool CommonSettingsPage::gasPressureShown() const {
    return PageControlDensitySettings->isTabVisible(PageControlDensitySettings->indexOf(tabGasPressure));
}

}  // namespace veldar
