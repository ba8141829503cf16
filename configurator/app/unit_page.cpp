#include "unit_page.h"

#include "configurator/measure/channel_status.h"
#include "configurator/protocol/version_record.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldar {
namespace {

QLabel* namedLabel(const char* name) {
    auto* label = new QLabel(UnitPage::kUnknown);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);  // the unit's texts are never markup
    return label;
}

QPushButton* namedButton(const char* name, const QString& text) {
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

void paint(QLabel* label, const ChannelStatusLabel& status) {
    label->setText(status.text);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, status.colour);
    label->setPalette(p);
}

}  // namespace

UnitPage::UnitPage(QWidget* parent)
    : QWidget(parent),
      lblTVRAddress(namedLabel("lblTVRAddress")),
      btnChangeAdrBO(namedButton("btnChangeAdrBO", QStringLiteral("Смена адреса TVR"))),
      lblDatePOTVR(namedLabel("lblDatePOTVR")),
      lblVerPOTVR(namedLabel("lblVerPOTVR")),
      lblIDPOTVR(namedLabel("lblIDPOTVR")),
      lblFilePOTVR(namedLabel("lblFilePOTVR")),
      lblIdetification(namedLabel("lblIdetification")),
      btnGetProgVerTVR(namedButton("btnGetProgVerTVR", QStringLiteral("Запрос версии ПО"))),
      btnReadAllSettingsTVR(namedButton("btnReadAllSettingsTVR", QStringLiteral("Прочитать все настройки TVR"))),
      btnWriteAllSettingsTVR(namedButton("btnWriteAllSettingsTVR", QStringLiteral("Записать все настройки в TVR"))),
      btnSignaturesAllSettingsTVR(
          namedButton("btnSignaturesAllSettingsTVR", QStringLiteral("Проверка сигнатур настроек TVR"))),
      btnAllChannelQueryEnabled(
          namedButton("btnAllChannelQueryEnabled", QStringLiteral("Включить опрос всех каналов"))),
      btnAllChannelQueryDisabled(
          namedButton("btnAllChannelQueryDisabled", QStringLiteral("Выключить опрос всех каналов"))),
      btnSearchSensors(namedButton("btnSearchSensors", QStringLiteral("Поиск датчиков"))),
      pbSearchSensors(new QProgressBar),
      btnResetTVR(namedButton("btnResetTVR", QStringLiteral("Сброс контроллера"))),
      btnToLoaderReg(namedButton("btnToLoaderReg", QStringLiteral("Загрузчик"))),
      btnExitFromBootLoader(namedButton("btnExitFromBootLoader", QStringLiteral("Выход из загрузчика"))) {
    setObjectName(QStringLiteral("PanelTVR"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(buildAddress(), 0, 0);
    grid->addWidget(buildVersion(), 1, 0);
    grid->addWidget(buildTransfer(), 2, 0);
    grid->addWidget(buildPolling(), 0, 1, 2, 1);
    grid->addWidget(buildService(), 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(2, 1);
    showUnknown();
}

QWidget* UnitPage::buildAddress() {
    auto* group = new QGroupBox(QStringLiteral("Сетевой адрес TVR"));
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(lblTVRAddress, 1);
    layout->addWidget(btnChangeAdrBO);
    return group;
}

QWidget* UnitPage::buildVersion() {
    auto* group = new QGroupBox(QStringLiteral("Версия ПО TVR"));
    auto* grid = new QGridLayout(group);
    const std::pair<const char*, QLabel*> rows[] = {
        {"Дата прошивки:", lblDatePOTVR}, {"Версия ПО:", lblVerPOTVR},       {"ID прошивки:", lblIDPOTVR},
        {"Файл прошивки:", lblFilePOTVR}, {"Идентификатор:", lblIdetification},
    };
    int row = 0;
    for (const auto& [caption, value] : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
        grid->addWidget(value, row++, 1);
    }
    grid->addWidget(btnGetProgVerTVR, row, 0, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* UnitPage::buildTransfer() {
    auto* group = new QGroupBox(QStringLiteral("Настройки TVR"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(btnReadAllSettingsTVR);
    layout->addWidget(btnWriteAllSettingsTVR);
    layout->addWidget(btnSignaturesAllSettingsTVR);
    return group;
}

QWidget* UnitPage::buildPolling() {
    auto* group = new QGroupBox(QStringLiteral("Опрос измерительных каналов"));
    auto* layout = new QVBoxLayout(group);
    for (std::size_t i = 0; i < lblStatusChannel.size(); ++i) {
        lblStatusChannel[i] = new QLabel;
        lblStatusChannel[i]->setObjectName(QStringLiteral("lblStatusChannel%1").arg(i + 1));
        layout->addWidget(lblStatusChannel[i]);
    }
    layout->addWidget(btnAllChannelQueryEnabled);
    layout->addWidget(btnAllChannelQueryDisabled);
    layout->addWidget(btnSearchSensors);
    pbSearchSensors->setObjectName(QStringLiteral("pbSearchSensors"));
    pbSearchSensors->setRange(0, 100);
    pbSearchSensors->hide();
    layout->addWidget(pbSearchSensors);
    return group;
}

// The two loader buttons share one place; the visible one tells the unit's state.
QWidget* UnitPage::buildService() {
    auto* group = new QGroupBox;
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(btnResetTVR);
    layout->addWidget(btnToLoaderReg);
    layout->addWidget(btnExitFromBootLoader);
    btnExitFromBootLoader->hide();
    return group;
}

void UnitPage::showUnknown() {
    showVersionUnknown();
    lblIdetification->setText(kUnknown);
    for (std::size_t i = 0; i < lblStatusChannel.size(); ++i)
        paint(lblStatusChannel[i], channelNoData(static_cast<int>(i) + 1));
}

void UnitPage::showVersionUnknown() {
    for (QLabel* label : {lblTVRAddress, lblDatePOTVR, lblVerPOTVR, lblIDPOTVR, lblFilePOTVR}) label->setText(kUnknown);
}

void UnitPage::showVersion(const VersionDisplay& shown) {
    lblTVRAddress->setText(shown.address);
    lblDatePOTVR->setText(shown.date);
    lblVerPOTVR->setText(shown.version);
    lblIDPOTVR->setText(shown.identifier);
    lblFilePOTVR->setText(shown.firmwareFile);
    lblIdetification->setText(shown.identification);
}

void UnitPage::showPolling(std::uint8_t mask) {
    for (std::size_t i = 0; i < lblStatusChannel.size(); ++i)
        paint(lblStatusChannel[i], channelPolling(static_cast<int>(i) + 1, mask));
}

}  // namespace veldar
