#pragma once

#include "configurator/app/navigation.h"
#include "configurator/image/signatures.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace platform {
class Dialogs;
}

namespace veldar {

struct Answer;
class Dispatcher;
class EventLog;
class Readwritesettingsfile;
class Sender;

// How one settings block of a configuration page travels between the page, the unit's
// settings image file and the unit. In the texts "{channel}" stands for the channel number
// and "{address}" for the unit's address.
struct BlockDescriptor {
    // Where the block of a channel (1..8; 0 for a block of the whole unit) lies in the file,
    // and how long it is there (the block, then 0xFF).
    std::function<int(int channel)> fileOffset;
    int fileSize = 0;
    // Requests carry the channel index first, and answers start with it.
    bool perChannel = false;
    std::uint8_t writeCommand = 0;
    std::uint8_t readCommand = 0;
    std::uint8_t signatureCommand = 0;
    // The whole frame of a read answer, address to check byte.
    int readAnswerFrameBytes = 0;
    SignatureKind signature = SignatureKind::ChannelConstants;
    // The page's signature register follows the page as it is loaded from the file.
    bool signsOnLoad = false;

    QString writeQuestion;
    QString writtenLog;
    QString writtenMessage;
    QString receivedLog;
    QString receivedMessage;
    QString keepQuestion;
    // A read answer the program cannot take (wrong length, a channel that does not exist).
    QString readFormatMessage;
    // The unit refused a write because it does not know the block's format.
    QString refusalMessage;
};

// What the exchange asks of the page.
struct BlockCodec {
    // The block the page shows; nullopt once the page has told the user why it has none.
    std::function<std::optional<QByteArray>()> encode;
    // Fills the page from a block (as the file or the unit holds it).
    std::function<void(const QByteArray&)> decode;
};

// What the exchanges use of the main window.
struct PageSurroundings {
    Sender& sender;
    Dispatcher& dispatcher;
    Readwritesettingsfile& file;
    SignatureRegisters& registers;
    SignatureAnswers& signatureAnswers;
    EventLog& log;
    platform::Dialogs& dialogs;
    QWidget* dialogParent;
    // The current unit and channel, from the workspace title.
    std::function<UnitContext()> context;
};

// The three exchanges every block page shares: "Запись" saves the page into the file and
// sends it, "Чтение" asks the unit and offers to keep what came, the signature compares the
// page with the unit. Registers the answers to its commands with the dispatcher.
class BlockExchange {
public:
    // A write refused with this first byte names a format the unit does not support.
    static constexpr std::uint8_t kFormatNotSupported = 0x20;

    BlockExchange(BlockDescriptor block, BlockCodec codec, const PageSurroundings& surroundings);

    // Fills the page from the file; false (the page as it was) when the file cannot be read.
    bool load(int address, int channel);
    void write();
    void read();
    void checkSignature();

private:
    struct Target {
        int address;
        int channel;
    };
    std::optional<Target> target() const;
    std::optional<QByteArray> sign();
    void save(int address, int channel, const QByteArray& block);
    QByteArray request(int channel, const QByteArray& block = {}) const;
    QString filled(const QString& text, const UnitContext& context) const;
    void message(const QString& text, bool error) const;

    void written(const Answer& answer);
    void refused(const Answer& answer);
    void received(const Answer& answer);

    BlockDescriptor block_;
    BlockCodec codec_;
    PageSurroundings s_;
};

}  // namespace veldar
