#pragma once

#include "command_log.h"
#include "device_select.h"
#include "parts.h"
#include "target_chip.h"

#include "platform/serial/device_link.h"

#include <QByteArray>
#include <QStringList>

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace ispsim {

// What the programmer says about itself and how it behaves.
struct ProgrammerConfig {
    QByteArray identifier = "KES-ISP";  // S: 7 characters
    QByteArray softwareVersion = "14";  // V: major, minor
    QByteArray hardwareVersion = "10";  // v: major, minor; empty = '?'
    char type = 'S';                    // p: S serial, P parallel
    QByteArray programmerTypes = "S";   // O: the letters o accepts; empty = '?'
    bool autoIncrement = true;          // a
    int blockSize = 128;                // b: bytes; 0 = no block mode
    QByteArray deviceList;              // t: device codes; empty = none, K gives the version
    std::uint8_t paramVersion = 0;      // K: parameter-block version of device select
    // The part's own boot loader: no programming-mode bracket, no fuse writing, no raw
    // instructions, its boot section out of reach, E leaves it.
    bool bootLoader = false;
    // Answers nothing but the upgrade probe.
    bool upgradeMode = false;
    // x and y switch lamps; without lamps they are unknown commands.
    bool hasLamps = true;
    // Answers come after the programming times of the part's data sheet.
    bool realisticTiming = false;
    // Hears the host only at this baud rate; 0 = at any.
    int listenBaud = 0;

    // A stand-alone in-system programmer that lists every part it knows.
    static ProgrammerConfig inSystemProgrammer();
    // The boot loader of a part with a boot section: its one boot-loader device code, block
    // mode with the part's page size.
    static ProgrammerConfig bootLoaderOf(const PartInfo& part);
};

// A programmer that speaks the single-letter serial command set (AVR910 / AVR109 family),
// with a virtual target chip behind it. Put it on an in-process wire or behind a pty.
class Programmer : public platform::SimulatedDevice {
public:
    Programmer(const PartInfo& part, ProgrammerConfig config);

    // SimulatedDevice
    void attach(platform::HostLink* link) override { link_ = link; }
    void received(const QByteArray& bytes) override;

    const ProgrammerConfig& config() const { return config_; }
    TargetChip& chip() { return chip_; }
    const TargetChip& chip() const { return chip_; }

    // A target that is not connected: programming mode fails and the target reads 0xFF.
    void setTargetPresent(bool present) { targetPresent_ = present; }
    bool inProgrammingMode() const { return progMode_; }
    bool lampOn(int lamp) const { return lamp >= 0 && lamp < 256 && lamps_.test(static_cast<std::size_t>(lamp)); }
    // The last device select received.
    const std::optional<DeviceSelection>& selection() const { return selection_; }

    const std::vector<LoggedCommand>& log() const { return log_; }
    // text() of every logged command, in order.
    QStringList logTexts() const;
    void clearLog() { log_.clear(); }
    // Long runs keep no log in memory; the observer still sees every command.
    void setKeepLog(bool keep) { keepLog_ = keep; }
    void setLogObserver(std::function<void(const LoggedCommand&)> observer) { observer_ = std::move(observer); }

    // Boot loader: called after E (leave the loader) has been answered. Bytes that came after
    // the E are dropped; the handler may destroy the programmer.
    void setExitHandler(std::function<void()> handler) { onExit_ = std::move(handler); }

private:
    struct Reply {
        QByteArray bytes;
        QString note;
        int busyUs = 0;
    };
    void execute(const QByteArray& cmd);
    // Identification, selection, the programming-mode bracket, addresses and lamps; false for
    // a command that reaches the target.
    bool programmerCommand(const QByteArray& cmd, Reply& r);
    void targetCommand(const QByteArray& cmd, Reply& r);
    bool needsTarget(char letter) const;
    bool reachesTarget(char letter, Reply& r) const;
    void blockWrite(const QByteArray& cmd, Reply& r);
    void blockRead(const QByteArray& cmd, Reply& r);
    void rawInstruction(const QByteArray& cmd, Reply& r);
    void selectDevice(const QByteArray& cmd, Reply& r);
    int flashByteAddress() const { return chip_.part().wordAddressed() ? 2 * address_ : address_; }
    void advance(int units = 1);
    Access access() const { return config_.bootLoader ? Access::BootLoader : Access::External; }
    void noteLock(Reply& r, int blockingMode) const;

    ProgrammerConfig config_;
    TargetChip chip_;
    platform::HostLink* link_ = nullptr;
    QByteArray pending_;
    int address_ = 0;
    bool progMode_ = false;
    bool targetPresent_ = true;
    bool probeArmed_ = false;
    char currentType_;
    std::bitset<256> lamps_;
    std::optional<DeviceSelection> selection_;
    std::vector<LoggedCommand> log_;
    bool keepLog_ = true;
    std::function<void(const LoggedCommand&)> observer_;
    std::function<void()> onExit_;
};

}  // namespace ispsim
