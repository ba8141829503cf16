#pragma once

#include "firmware.h"
#include "frame.h"
#include "loader.h"
#include "memory_map.h"

#include <QByteArray>
#include <QDateTime>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace platform {
class Clock;
class Scheduler;
}  // namespace platform

namespace tvrsim {

// An answer frame and how long after the request the unit starts sending it.
struct Answer {
    Frame frame;
    int delayMs = 0;
};

// A sensor found on the unit's sensor bus (one record of the CMD79 sensor list).
struct SensorRecord {
    std::uint8_t address = 0;
    std::uint8_t speedCode = 2;    // 0 = 2400, 1 = 4800, 2 = 9600 baud
    std::uint8_t powerGroups = 1;  // bits 0..3 for groups 1..4
};

// One TVR unit: its address, settings memory, polling mask, clock, firmware record,
// channel states and program loader, and its side of every command.
class Unit {
public:
    // Status a channel reports besides its values: 0 good, 1 waiting for the sensor, 2 no
    // signal, 3 good with a sensor error; 4 (not polled) is reported for every channel
    // outside the polling mask.
    static constexpr int kNotPolled = 4;
    // A sensor search walks the bus in ten steps.
    static constexpr int kSearchSteps = 10;
    static constexpr int kSearchStepMs = 300;
    // Time a reset keeps the unit deaf, and time it takes to sign its whole memory.
    static constexpr int kRestartMs = 1000;
    static constexpr int kWholeSignatureMs = 1000;
    // What a refused channel constants block is answered with.
    static constexpr std::uint8_t kFormatNotSupported = 0x20;

    Unit(std::uint8_t address, platform::Scheduler& scheduler, const platform::Clock& clock,
         QByteArray memory);

    // A request this unit is to act on (its own address, or 0); the answers it gives.
    std::vector<Answer> handle(const Frame& request);

    // While in its loader the unit reads raw bytes instead of frames.
    bool inLoader() const { return loader_.state() != Loader::State::Off; }
    Loader::State loaderState() const { return loader_.state(); }
    void loaderByte(char c) { loader_.hostByte(c); }
    // Where the loader's own bytes go.
    void setRawOutput(std::function<void(const QByteArray&)> out) { rawOut_ = std::move(out); }

    std::uint8_t address() const { return address_; }
    const QByteArray& memory() const { return memory_; }
    // The whole settings memory; false (and nothing changed) unless it is 29824 bytes.
    bool setMemory(const QByteArray& memory);

    std::uint8_t pollingMask() const { return pollingMask_; }
    void setPollingMask(std::uint8_t mask) { pollingMask_ = mask; }
    // Channel 1..8, status code 0..15.
    void setChannelStatus(int channel, int status);
    int channelStatus(int channel) const {
        return status_.at(static_cast<std::size_t>(channel - 1));
    }

    Firmware& firmware() { return firmware_; }
    void setRefusesConstants(bool refuses) { refusesConstants_ = refuses; }
    std::vector<SensorRecord>& sensors() { return sensors_; }

    QDateTime clockNow() const;

private:
    std::vector<Answer> dispatch(const Frame& request);
    Answer reply(std::uint8_t command, const QByteArray& data = {}, int delayMs = 0) const;
    std::vector<Answer> liveData(int channelIndex) const;
    std::vector<Answer> sensorSearch();
    std::vector<Answer> setClock(const QByteArray& data);
    std::vector<Answer> writeInstrumental(const QByteArray& data);
    // Writes bytes at the start of a block and fills the rest of the block with 0xFF.
    void writeBlock(int offset, const QByteArray& bytes, int blockSize);
    QByteArray block(int offset, int size) const { return memory_.mid(offset, size); }
    QByteArray signature(const QByteArray& bytes) const;
    QByteArray instrumentalTable(int channel) const;
    bool calendarOn() const;

    std::uint8_t address_;
    platform::Scheduler& scheduler_;
    const platform::Clock& clock_;
    QByteArray memory_;
    std::uint8_t pollingMask_ = 0xFF;
    std::array<int, memory::kChannels> status_{};
    Firmware firmware_;
    bool refusesConstants_ = false;
    std::vector<SensorRecord> sensors_{{1, 2, 0x01}, {2, 2, 0x01}, {3, 2, 0x02}};
    std::int64_t clockOffsetMs_ = 0;
    std::int64_t deafUntilMs_ = 0;
    std::function<void(const QByteArray&)> rawOut_;
    Loader loader_;
};

}  // namespace tvrsim
