#include "sensor_page.h"

#include "panel_header.h"

#include "configurator/config/channel_constants_tab.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace veldar {
namespace {

const QColor kStateGround(62, 94, 144);
constexpr int kStateWidth = 200;

}  // namespace

SensorPage::SensorPage(const PageSurroundings& surroundings, QChar decimalSeparator, QWidget* parent)
    : QWidget(parent),
      constants_(new ChannelConstantsTab(surroundings, decimalSeparator)),
      lblChannelState(new QLabel),
      chkChannelQueryEnabled(new QCheckBox(QStringLiteral("Опрос канала"))) {
    setObjectName(QStringLiteral("PanelSensorSettings"));
    lblChannelState->setObjectName(QStringLiteral("lblChannelState"));
    // The state is told in white, green and red, which need a dark ground.
    lblChannelState->setAutoFillBackground(true);
    lblChannelState->setMinimumWidth(kStateWidth);
    lblChannelState->setContentsMargins(4, 2, 4, 2);
    QPalette ground = lblChannelState->palette();
    ground.setColor(QPalette::Window, kStateGround);
    lblChannelState->setPalette(ground);
    showNotPolled();
    chkChannelQueryEnabled->setObjectName(QStringLiteral("chkChannelQueryEnabled"));
    auto* current = new QWidget;
    auto* currentLayout = new QHBoxLayout(current);
    currentLayout->addWidget(lblChannelState);
    currentLayout->addWidget(chkChannelQueryEnabled);
    currentLayout->addStretch(1);

    auto* tabs = new QTabWidget;
    tabs->addTab(constants_, QStringLiteral("Датчик"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panelHeader(QStringLiteral("     Текущие данные")));
    layout->addWidget(current);
    layout->addWidget(tabs, 1);
}

ConstantRows* SensorPage::constantRows() const { return constants_->rows(); }

void SensorPage::showNotPolled() {
    lblChannelState->setText(QStringLiteral("Нет опроса"));
    QPalette p = lblChannelState->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    lblChannelState->setPalette(p);
}

}  // namespace veldar
