#include "signatures.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"
#include "configurator/protocol/dispatcher.h"

#include "platform/ui/dialogs.h"

namespace veldar {
namespace {

bool perChannel(SignatureKind kind) {
    return kind == SignatureKind::ChannelConstants || kind == SignatureKind::CalibrationTables;
}

std::size_t slot(SignatureKind kind) { return static_cast<std::size_t>(kind); }

}  // namespace

QString signatureLogText(SignatureKind kind, bool match, int channel, int address) {
    QString block;
    switch (kind) {
        case SignatureKind::ChannelConstants:
            block = QStringLiteral("настроек канала ") + QString::number(channel) + QLatin1Char(' ');
            break;
        case SignatureKind::CalibrationTables:
            block = QStringLiteral("градуировочной таблицы канала ") + QString::number(channel) + QLatin1Char(' ');
            break;
        case SignatureKind::CommonSettings:
            block = QStringLiteral("общих настроек ");
            break;
        case SignatureKind::RelayOutputs:
            block = QStringLiteral("настроек РЕЛЕ ");
            break;
        case SignatureKind::WholeImage:
            block = QStringLiteral("настроек ");
            break;
    }
    return (match ? QStringLiteral("Совпадение сигнатур ") : QStringLiteral("Не совпадение сигнатур ")) + block +
           QStringLiteral("TVR (") + QString::number(address) + QLatin1Char(')');
}

int signatureChannel(SignatureKind kind, std::uint8_t firstDataByte) {
    if (kind == SignatureKind::ChannelConstants) return firstDataByte + 1;
    if (kind == SignatureKind::CalibrationTables && firstDataByte > 10) return firstDataByte - 10;
    return firstDataByte;
}

void SignatureRegisters::set(SignatureKind kind, std::uint16_t signature) {
    if (kind != SignatureKind::WholeImage) registers_.at(slot(kind)) = signature;
}

std::int32_t SignatureRegisters::value(SignatureKind kind) const {
    return kind == SignatureKind::WholeImage ? 0 : registers_.at(slot(kind));
}

bool SignatureRegisters::compare(SignatureKind kind, std::uint16_t received) {
    if (kind == SignatureKind::WholeImage) return false;
    std::int32_t& r = registers_.at(slot(kind));
    // Wraps instead of overflowing when a register is worn down by many unasked answers.
    r = static_cast<std::int32_t>(static_cast<std::uint32_t>(r) - received);
    return r == 0;
}

SignatureAnswers::SignatureAnswers(SignatureRegisters& registers, EventLog& log, platform::Dialogs& dialogs,
                                   QWidget* dialogParent)
    : registers_(registers), log_(log), dialogs_(dialogs), dialogParent_(dialogParent) {}

void SignatureAnswers::answer(SignatureKind kind, int address, const QByteArray& data) {
    const int at = perChannel(kind) ? 1 : 0;
    if (data.size() < at + 2) return;
    const auto byte = [&data](int i) { return static_cast<std::uint8_t>(data.at(i)); };
    const int channel = perChannel(kind) ? signatureChannel(kind, byte(0)) : 0;
    const bool match = registers_.compare(kind, static_cast<std::uint16_t>(byte(at) << 8 | byte(at + 1)));
    report(kind, match, channel, address);
}

void SignatureAnswers::report(SignatureKind kind, bool match, int channel, int address) {
    log_.log(match ? kLogMessage : kLogError, signatureLogText(kind, match, channel, address));
    dialogs_.message(dialogParent_, QStringLiteral("VELDAR"),
                     match ? QStringLiteral("Сигнатура совпадает") : QStringLiteral("Сигнатура не совпадает"),
                     match ? platform::Icon::Information : platform::Icon::Error);
}

void routeSignatureAnswers(Dispatcher& dispatcher, std::uint8_t command, SignatureKind kind, SignatureAnswers& answers) {
    dispatcher.route(command, [&answers, kind](const Answer& a) { answers.answer(kind, a.address, a.data()); });
}

}  // namespace veldar
