#include "unit.h"

#include "crc16.h"
#include "live_data.h"

#include "platform/timing/clock.h"
#include "platform/timing/scheduler.h"

#include <QTime>

namespace tvrsim {
namespace {

using namespace memory;

constexpr int kMaxPage = kPages - 1;

std::uint8_t byteAt(const QByteArray& b, int i) {
    return static_cast<std::uint8_t>(b[i]);
}

bool isChannelIndex(int index) {
    return index >= 0 && index < kChannels;
}
bool isTableNumber(int n) {
    return isCalibrationTable(n) || isExtendedTable(n);
}
bool isDensityKind(int kind) {
    return kind >= 0 && kind <= 2;
}

}  // namespace

Unit::Unit(std::uint8_t address, platform::Scheduler& scheduler, const platform::Clock& clock,
           QByteArray memory)
    : address_(address),
      scheduler_(scheduler),
      clock_(clock),
      memory_(std::move(memory)),
      loader_(scheduler, [this](const QByteArray& bytes) {
          if (rawOut_) rawOut_(bytes);
      }) {
    memory_.resize(kSize, '\xFF');
}

bool Unit::setMemory(const QByteArray& memory) {
    if (memory.size() != kSize) return false;
    memory_ = memory;
    return true;
}

void Unit::setChannelStatus(int channel, int status) {
    status_.at(static_cast<std::size_t>(channel - 1)) = status & 0x0F;
}

QDateTime Unit::clockNow() const {
    return clock_.now().addMSecs(clockOffsetMs_);
}

std::vector<Answer> Unit::handle(const Frame& request) {
    if (scheduler_.now() < deafUntilMs_ || inLoader()) return {};
    return dispatch(request);
}

Answer Unit::reply(std::uint8_t command, const QByteArray& data, int delayMs) const {
    return Answer{Frame{address_, command, data}, delayMs};
}

void Unit::writeBlock(int offset, const QByteArray& bytes, int blockSize) {
    QByteArray b = bytes.leftJustified(blockSize, '\xFF', true);
    memory_.replace(offset, blockSize, b);
}

QByteArray Unit::signature(const QByteArray& bytes) const {
    const std::uint16_t crc = crc16Arc(bytes);
    QByteArray out;
    out.append(static_cast<char>(crc >> 8));
    out.append(static_cast<char>(crc & 0xFF));
    return out;
}

bool Unit::calendarOn() const {
    return (byteAt(memory_, kCommonOffset) & 0x04) != 0;
}

// N and its rows; a count the table cannot hold reads as an empty table.
QByteArray Unit::instrumentalTable(int channel) const {
    const int rows = byteAt(memory_, instrumentalOffset(channel));
    if (rows > kInstrumentalMaxRows) return QByteArray(1, '\0');
    return block(instrumentalOffset(channel), 1 + 3 * rows);
}

std::vector<Answer> Unit::dispatch(const Frame& request) {
    const QByteArray& d = request.data;
    const auto n = d.size();
    const std::uint8_t cmd = request.command;
    switch (cmd) {
        case 50:
            if (n != 0) return {};
            return {reply(cmd, QByteArray(1, static_cast<char>(pollingMask_)))};
        case 51:
            if (n != 1) return {};
            pollingMask_ = byteAt(d, 0);
            return {reply(cmd, QByteArray(1, static_cast<char>(pollingMask_)))};
        case 52:
            if (n != 1 || !isChannelIndex(byteAt(d, 0))) return {};
            return liveData(byteAt(d, 0));
        case 53: {
            if (n < 1 || !isChannelIndex(byteAt(d, 0))) return {};
            if (refusesConstants_ || n != 1 + kConstantsBytes)
                return {reply(cmd + 128, QByteArray(1, static_cast<char>(kFormatNotSupported)))};
            writeBlock(constantsOffset(byteAt(d, 0) + 1), d.mid(1), kBlockSize);
            return {reply(cmd)};
        }
        case 54:
            if (n != 1 || !isChannelIndex(byteAt(d, 0))) return {};
            return {reply(cmd, d + block(constantsOffset(byteAt(d, 0) + 1), kConstantsBytes))};
        case 55:
            if (n != 1 || !isChannelIndex(byteAt(d, 0))) return {};
            return {reply(
                cmd, d + signature(block(constantsOffset(byteAt(d, 0) + 1), kConstantsBytes)))};
        case 56: {
            if (n != 2 + kPageSize || !isDensityKind(byteAt(d, 0))) return {};
            const int page = byteAt(d, 1);
            if (page < 1 || page > kDensityPageCount) return {};
            memory_.replace(densityOffset(byteAt(d, 0)) + kPageSize * (page - 1), kPageSize,
                            d.mid(2));
            return {reply(cmd, d.left(2))};
        }
        case 57: {
            if (n != 2 || !isDensityKind(byteAt(d, 0))) return {};
            const int page = byteAt(d, 1);
            if (page < 1 || page > kDensityPageCount) return {};
            return {reply(
                cmd, d + block(densityOffset(byteAt(d, 0)) + kPageSize * (page - 1), kPageSize))};
        }
        case 58:
            if (n != 1 || !isDensityKind(byteAt(d, 0))) return {};
            return {
                reply(cmd, d + signature(block(densityOffset(byteAt(d, 0)), kDensityBlockSize)))};
        case 59: {
            if (n != 2 + kPageSize || !isTableNumber(byteAt(d, 0))) return {};
            const int page = byteAt(d, 1);
            if (page < 1 || page > kTablePageCount) return {};
            memory_.replace(tableOffset(byteAt(d, 0)) + kPageSize * (page - 1), kPageSize,
                            d.mid(2));
            return {reply(cmd, d.left(2))};
        }
        case 60: {
            if (n != 2 || !isTableNumber(byteAt(d, 0))) return {};
            const int page = byteAt(d, 1);
            if (page < 1 || page > kTablePageCount) return {};
            return {reply(
                cmd, d + block(tableOffset(byteAt(d, 0)) + kPageSize * (page - 1), kPageSize))};
        }
        case 61: {
            if (n != 1 || !isTableNumber(byteAt(d, 0))) return {};
            QByteArray table = block(tableOffset(byteAt(d, 0)), kTableBlockSize);
            // Row 1 of a calibration table carries the scale code; its volume is not signed.
            if (isCalibrationTable(byteAt(d, 0))) table.replace(2, 2, QByteArray(2, '\0'));
            return {reply(cmd, d + signature(table))};
        }
        case 62:
            return writeInstrumental(d);
        case 63:
            if (n != 1 || !isChannelIndex(byteAt(d, 0))) return {};
            return {reply(cmd, d + instrumentalTable(byteAt(d, 0) + 1))};
        case 64:
            if (n != 1 || !isChannelIndex(byteAt(d, 0))) return {};
            return {reply(cmd, d + signature(instrumentalTable(byteAt(d, 0) + 1)))};
        case 65:
            if (n != kCommonBytes) return {};
            writeBlock(kCommonOffset, d, kBlockSize);
            return {reply(cmd)};
        case 66:
            if (n != 0) return {};
            return {reply(cmd, block(kCommonOffset, kCommonBytes))};
        case 67:
            if (n != 0) return {};
            return {reply(cmd, signature(block(kCommonOffset, kCommonBytes)))};
        case 68:
            if (n != kRelayBytes) return {};
            writeBlock(kRelayOffset, d, kBlockSize);
            return {reply(cmd)};
        case 69:
            if (n != 0) return {};
            return {reply(cmd, block(kRelayOffset, kRelayBytes))};
        case 70:
            if (n != 0) return {};
            return {reply(cmd, signature(block(kRelayOffset, kRelayBytes)))};
        case 71:
            if (n != 0) return {};
            loader_.start();
            return {reply(cmd)};
        case 72:
            if (n != 0) return {};
            deafUntilMs_ = scheduler_.now() + kRestartMs;
            return {reply(cmd)};
        case 77:
            return setClock(d);
        case 78: {
            if (n != 0) return {};
            const QDateTime t = clockNow();
            QByteArray out;
            for (int v : {t.time().second(), t.time().minute(), t.time().hour(), t.date().day(),
                          t.date().month(), t.date().year() - 2000})
                out.append(static_cast<char>(v));
            return {reply(cmd, out)};
        }
        case 79:
            if (n != 0) return {};
            return sensorSearch();
        case 81:
            if (n != 0) return {};
            return {reply(cmd, firmware_.record())};
        case 82:
            // Address 0 is everyone's; a unit does not take it as its own.
            if (n != 1 || byteAt(d, 0) == 0) return {};
            address_ = byteAt(d, 0);
            return {reply(cmd)};
        case 86: {
            if (n != 1 + kPageSize || byteAt(d, 0) > kMaxPage) return {};
            memory_.replace(kPageSize * byteAt(d, 0), kPageSize, d.mid(1));
            return {reply(cmd, d.left(1))};
        }
        case 87:
            if (n != 1 || byteAt(d, 0) > kMaxPage) return {};
            return {reply(cmd, d + block(kPageSize * byteAt(d, 0), kPageSize))};
        case 88:
            if (n != 0) return {};
            deafUntilMs_ = scheduler_.now() + kWholeSignatureMs;
            return {reply(cmd, signature(memory_), kWholeSignatureMs)};
        default:
            return {};
    }
}

std::vector<Answer> Unit::liveData(int channelIndex) const {
    const int channel = channelIndex + 1;
    const int status = (pollingMask_ >> channelIndex) & 1
                           ? status_[static_cast<std::size_t>(channelIndex)]
                           : kNotPolled;
    QByteArray head;
    head.append(static_cast<char>(byteAt(memory_, constantsOffset(channel))));
    head.append(static_cast<char>(status));
    head.append(static_cast<char>(channelIndex));
    QByteArray data;
    if (status == 0 || status == 3) {
        data = encodeMeasurement(simulateMeasurement(memory_, channel, scheduler_.now()));
        data.replace(0, 3, head);
    } else {
        data = head;
    }
    if (calendarOn()) {
        const QTime t = clockNow().time();
        data.append(static_cast<char>(t.second()));
        data.append(static_cast<char>(t.minute()));
        data.append(static_cast<char>(t.hour()));
    }
    return {reply(52, data)};
}

std::vector<Answer> Unit::sensorSearch() {
    std::vector<Answer> out;
    for (int step = 0; step < kSearchSteps; ++step)
        out.push_back(reply(79, QByteArray(1, static_cast<char>(step * 100 / kSearchSteps)),
                            step * kSearchStepMs));
    QByteArray last;
    last.append(static_cast<char>(100));
    last.append(static_cast<char>(sensors_.size()));
    for (const SensorRecord& s : sensors_) {
        last.append(static_cast<char>(s.address));
        last.append(static_cast<char>(s.speedCode));
        last.append(static_cast<char>(s.powerGroups));
    }
    const int doneMs = kSearchSteps * kSearchStepMs;
    out.push_back(reply(79, last, doneMs));
    // The unit walks its sensor bus and hears nothing else meanwhile.
    deafUntilMs_ = scheduler_.now() + doneMs;
    return out;
}

std::vector<Answer> Unit::setClock(const QByteArray& d) {
    if (d.size() != 8) return {};
    const QDate date(2000 + byteAt(d, 5), byteAt(d, 4), byteAt(d, 3));
    const QTime time(byteAt(d, 2), byteAt(d, 1), byteAt(d, 0));
    if (!date.isValid() || !time.isValid()) return {};
    const QDateTime wanted(date, time);
    clockOffsetMs_ = clock_.now().msecsTo(wanted);
    return {reply(77)};
}

std::vector<Answer> Unit::writeInstrumental(const QByteArray& d) {
    if (d.isEmpty()) return {};
    const int channelIndex = byteAt(d, 0);
    const int rows = d.size() >= 2 ? byteAt(d, 1) : -1;
    if (!isChannelIndex(channelIndex) || rows < 0 || rows > kInstrumentalMaxRows ||
        d.size() != 2 + 3 * rows)
        return {reply(62 + 128, d.left(1))};
    writeBlock(instrumentalOffset(channelIndex + 1), d.mid(1), kBlockSize);
    return {reply(62, d.left(1))};
}

}  // namespace tvrsim
