#include "block_exchange.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"
#include "configurator/image/readwritesettingsfile.h"
#include "configurator/image/signaturecrc.h"
#include "configurator/link/sender.h"
#include "configurator/protocol/dispatcher.h"

#include "platform/ui/dialogs.h"

namespace veldar {
namespace {

constexpr int kChannels = 8;
constexpr std::uint8_t kRefusal = 128;

}  // namespace

BlockExchange::BlockExchange(BlockDescriptor block, BlockCodec codec, const PageSurroundings& surroundings)
    : block_(std::move(block)), codec_(std::move(codec)), s_(surroundings) {
    s_.dispatcher.route(block_.writeCommand, [this](const Answer& a) { written(a); });
    s_.dispatcher.route(static_cast<std::uint8_t>(block_.writeCommand + kRefusal),
                        [this](const Answer& a) { refused(a); });
    s_.dispatcher.route(block_.readCommand, [this](const Answer& a) { received(a); });
    routeSignatureAnswers(s_.dispatcher, block_.signatureCommand, block_.signature, s_.signatureAnswers);
}

bool BlockExchange::load(int address, int channel) {
    QByteArray block;
    if (!s_.file.ReadSettingsBlock(address, block_.fileOffset(channel), block, block_.fileSize)) return false;
    codec_.decode(block);
    if (block_.signsOnLoad) sign();
    return true;
}

void BlockExchange::write() {
    const auto at = target();
    if (!at) return;
    const auto block = sign();
    if (!block) return;
    if (s_.dialogs.message(s_.dialogParent, QStringLiteral("VELDAR"), block_.writeQuestion, platform::Icon::Information,
                           platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    // A file that cannot be written has been reported; the unit still gets the block.
    save(at->address, at->channel, *block);
    s_.sender.sendRequest(static_cast<std::uint8_t>(at->address), block_.writeCommand, request(at->channel, *block));
}

void BlockExchange::read() {
    const auto at = target();
    if (!at) return;
    s_.sender.sendRequest(static_cast<std::uint8_t>(at->address), block_.readCommand, request(at->channel));
}

void BlockExchange::checkSignature() {
    const auto at = target();
    if (!at || !sign()) return;
    s_.sender.sendRequest(static_cast<std::uint8_t>(at->address), block_.signatureCommand, request(at->channel));
}

std::optional<BlockExchange::Target> BlockExchange::target() const {
    const UnitContext context = s_.context();
    if (!context.address) return std::nullopt;
    if (!block_.perChannel) return Target{*context.address, 0};
    if (!context.channelIndex) return std::nullopt;
    return Target{*context.address, *context.channelIndex + 1};
}

std::optional<QByteArray> BlockExchange::sign() {
    auto block = codec_.encode();
    if (block) s_.registers.set(block_.signature, SignatureCrc(*block));
    return block;
}

void BlockExchange::save(int address, int channel, const QByteArray& block) {
    QByteArray padded = block;
    if (padded.size() < block_.fileSize) padded.append(block_.fileSize - padded.size(), char(0xFF));
    s_.file.WriteSettingsBlock(address, block_.fileOffset(channel), padded);
}

QByteArray BlockExchange::request(int channel, const QByteArray& block) const {
    if (!block_.perChannel) return block;
    return QByteArray(1, static_cast<char>(channel - 1)) + block;
}

QString BlockExchange::filled(const QString& text, const UnitContext& context) const {
    return QString(text)
        .replace(QStringLiteral("{channel}"), context.channelIndex ? QString::number(*context.channelIndex + 1) : QString())
        .replace(QStringLiteral("{address}"), context.address ? QString::number(*context.address) : QString());
}

void BlockExchange::message(const QString& text, bool error) const {
    s_.dialogs.message(s_.dialogParent, QStringLiteral("VELDAR"), text,
                       error ? platform::Icon::Error : platform::Icon::Information);
}

void BlockExchange::written(const Answer& answer) {
    s_.log.log(kLogMessage, filled(block_.writtenLog, answer.context));
    message(block_.writtenMessage, false);
}

void BlockExchange::refused(const Answer& answer) {
    const QByteArray data = answer.data();
    if (!data.isEmpty() && static_cast<std::uint8_t>(data[0]) == kFormatNotSupported)
        message(block_.refusalMessage, true);
}

void BlockExchange::received(const Answer& answer) {
    const QByteArray data = answer.data();
    // The channel comes from the answer: the block is kept for the channel the unit sent.
    const int channel = block_.perChannel && !data.isEmpty() ? static_cast<std::uint8_t>(data[0]) + 1 : 0;
    if (answer.frame.size() != block_.readAnswerFrameBytes || (block_.perChannel && channel > kChannels)) {
        message(block_.readFormatMessage, true);
        return;
    }
    s_.log.log(kLogMessage, filled(block_.receivedLog, answer.context));
    codec_.decode(data.mid(block_.perChannel ? 1 : 0));
    message(block_.receivedMessage, false);
    if (s_.dialogs.message(s_.dialogParent, QStringLiteral("VELDAR"), block_.keepQuestion, platform::Icon::Information,
                           platform::Buttons::YesNo) == platform::Answer::Yes) {
        if (const auto block = codec_.encode()) save(answer.address, channel, *block);
    } else {
        load(answer.address, channel);
    }
}

}  // namespace veldar
