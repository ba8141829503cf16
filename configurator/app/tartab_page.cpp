#include "tartab_page.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace veldar {

TarTabPage::TarTabPage(QWidget* parent) : QWidget(parent), PageControlTarTab(new QTabWidget) {
    setObjectName(QStringLiteral("PanelTarTab"));
    PageControlTarTab->setObjectName(QStringLiteral("PageControlTarTab"));
    PageControlTarTab->addTab(new QWidget, QStringLiteral("Основная"));
    PageControlTarTab->addTab(new QWidget, QStringLiteral("Дополнительная"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControlTarTab);
}

}  // namespace veldar
