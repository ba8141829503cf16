#include "channel_constants_tab.h"

#include "constant_rows.h"
#include "constchannelfunc.h"

#include "configurator/image/image_layout.h"

#include "platform/ui/dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldar {
namespace {

BlockDescriptor constantsBlock() {
    BlockDescriptor block;
    block.fileOffset = [](int channel) { return image::constantsOffset(channel); };
    block.fileSize = image::kBlockSize;
    block.perChannel = true;
    block.writeCommand = 53;
    block.readCommand = 54;
    block.signatureCommand = 55;
    // Address, command, channel, the 84 bytes, check byte.
    block.readAnswerFrameBytes = 3 + 1 + kChannelConstantsBytes;
    block.signature = SignatureKind::ChannelConstants;
    block.signsOnLoad = true;
    block.writeQuestion = QStringLiteral("Записать константы канала в TVR?");
    block.writtenLog = QStringLiteral("Прошла запись констант канала {channel} TVR ({address})");
    block.writtenMessage = QStringLiteral("Запись констант канала завершена");
    block.receivedLog = QStringLiteral("Получены константы канала {channel} TVR ({address})");
    block.receivedMessage = QStringLiteral("Блок констант канала получен от TVR");
    block.keepQuestion = QStringLiteral("Сохранить константы в файле?");
    block.readFormatMessage = QStringLiteral(
        "Конфигуратор не поддерживает формат полученного от TVR сообщения CMD54. Возможно TVR использует прошивку "
        "не совместимую с данным конфигуратором.");
    block.refusalMessage = QStringLiteral(
        "TVR не поддерживает данный формат CMD53. Возможно TVR использует прошивку не совместимую с данным "
        "конфигуратором.");
    return block;
}

QPushButton* button(const QString& text, const char* name) {
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

}  // namespace

ChannelConstantsTab::ChannelConstantsTab(const PageSurroundings& surroundings, QChar decimalSeparator, QWidget* parent)
    : QWidget(parent),
      ScrollBox1(new ConstantRows),
      btnCheckSignatures(button(QStringLiteral("Проверка сигнатур"), "btnCheckSignatures")),
      btnReadConstFromBO(button(QStringLiteral("Чтение"), "btnReadConstFromBO")),
      btnWriteConstToBO(button(QStringLiteral("Запись"), "btnWriteConstToBO")),
      separator_(decimalSeparator),
      dialogs_(surroundings.dialogs),
      dialogParent_(surroundings.dialogParent),
      exchange_(constantsBlock(),
                BlockCodec{[this] { return EncodeChannelConstants(); },
                           [this](const QByteArray& bytes) { DecodeChannelConstants(bytes); }},
                surroundings) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnCheckSignatures);
    buttons->addStretch(1);
    buttons->addWidget(btnReadConstFromBO);
    buttons->addWidget(btnWriteConstToBO);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScrollBox1, 1);
    layout->addLayout(buttons);
    connect(btnWriteConstToBO, &QPushButton::clicked, this, &ChannelConstantsTab::btnWriteConstToBOClick);
    connect(btnReadConstFromBO, &QPushButton::clicked, this, &ChannelConstantsTab::btnReadConstFromBOClick);
    connect(btnCheckSignatures, &QPushButton::clicked, this, &ChannelConstantsTab::btnCheckSignaturesClick);
}

void ChannelConstantsTab::btnWriteConstToBOClick() { exchange_.write(); }

void ChannelConstantsTab::btnReadConstFromBOClick() { exchange_.read(); }

void ChannelConstantsTab::btnCheckSignaturesClick() { exchange_.checkSignature(); }

void ChannelConstantsTab::load(int address, int channel) { exchange_.load(address, channel); }

std::optional<QByteArray> ChannelConstantsTab::EncodeChannelConstants() {
    const EncodedConstants encoded = encodeChannelConstants(ScrollBox1->texts(), separator_);
    if (encoded.ok()) return encoded.bytes;
    dialogs_.message(dialogParent_, QStringLiteral("VELDAR"),
                     QStringLiteral("Значение \"") + ScrollBox1->edit(encoded.badRow)->text() +
                         QStringLiteral("\" в строке \"") + ScrollBox1->label(encoded.badRow)->text() +
                         QStringLiteral("\" не является числом."),
                     platform::Icon::Error);
    return std::nullopt;
}

void ChannelConstantsTab::DecodeChannelConstants(const QByteArray& bytes) {
    const auto rows = decodeChannelConstants(bytes, separator_);
    if (!rows) return;
    ScrollBox1->setTexts(*rows);
    ScrollBox1->layOutForRegime();
}

}  // namespace veldar
