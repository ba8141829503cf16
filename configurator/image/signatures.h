#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

class QWidget;

namespace platform {
class Dialogs;
}

namespace veldar {

class Dispatcher;
class EventLog;

// The blocks whose signatures the configurator compares. The two calibration tables share
// one register; the whole image keeps none (it is compared when its answer arrives).
enum class SignatureKind { ChannelConstants, CalibrationTables, CommonSettings, RelayOutputs, WholeImage };

// The log line of a comparison. `channel` is 1..8 where the block belongs to a channel.
QString signatureLogText(SignatureKind kind, bool match, int channel, int address);

// The channel named by the first data byte of a signature answer: the channel index for the
// constants, the table number (1..8, or 11..18 for the extended table) for the tables.
int signatureChannel(SignatureKind kind, std::uint8_t firstDataByte);

// The expected signature of each page block, set when the page is signed. An answer is
// compared by subtracting it from the register, and the difference stays: a second answer
// without a new signing compares against the remainder.
class SignatureRegisters {
public:
    void set(SignatureKind kind, std::uint16_t signature);
    std::int32_t value(SignatureKind kind) const;
    // Whether register − received is 0; the register keeps the difference.
    bool compare(SignatureKind kind, std::uint16_t received);

private:
    std::array<std::int32_t, 4> registers_{};
};

// The handling every page's signature answer shares: compare, log, tell the user.
class SignatureAnswers {
public:
    SignatureAnswers(SignatureRegisters& registers, EventLog& log, platform::Dialogs& dialogs,
                     QWidget* dialogParent);

    // `data` is the answer after its command code: for the channel blocks the channel byte
    // first, then the signature high byte and low byte. Shorter answers are ignored.
    void answer(SignatureKind kind, int address, const QByteArray& data);
    // The result of any comparison, as the user gets it.
    void report(SignatureKind kind, bool match, int channel, int address);

private:
    SignatureRegisters& registers_;
    EventLog& log_;
    platform::Dialogs& dialogs_;
    QWidget* dialogParent_;
};

// Hands the answers of a signature request (CMD55, CMD61, CMD67, CMD70) to the shared
// handling; each page registers its own code when it is built.
void routeSignatureAnswers(Dispatcher& dispatcher, std::uint8_t command, SignatureKind kind, SignatureAnswers& answers);

}  // namespace veldar
