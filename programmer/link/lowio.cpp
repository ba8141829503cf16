#include "lowio.h"

#include "device_select.h"
#include "device_table.h"

#include "platform/timing/scheduler.h"
#include "platform/ui/dialogs.h"

#include <algorithm>
#include <cstring>

namespace burnet {

namespace {

constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kCr = 0x0D;

// Every wait but the one after a block write is bounded by these.
constexpr platform::Timeouts kTimeouts{100, 50, 4000, 500, 1500};

constexpr std::size_t kIdLength = 7;
constexpr int kIdWaitMs = 50;
constexpr int kListWaitMs = 400;
constexpr int kFuseReadWaitMs = 10;
constexpr int kEraseWaitMs = 100;
constexpr std::size_t kDeviceListCapacity = 64;
constexpr std::size_t kTypeListCapacity = 20;
constexpr std::size_t kListFirstRead = 20;

// One row of the port scan per group of four attempts (COM1..COM4).
struct ScanStep {
    int baud;
    bool upgradeProbe;
};
constexpr ScanStep kScan[] = {
    {115200, false}, {19200, false}, {38400, false}, {19200, true}, {38400, true},
};
constexpr int kScannedPorts = 4;

constexpr std::uint8_t kUpgradeProbe[] = {kEsc, kEsc, '[', 'K', 'E', 'S', '-', 'T', 'o', 'o',
                                          'l', 's', '-', 'u', 'p', 'g', 'r', ']'};

constexpr std::uint8_t u8(char c) { return static_cast<std::uint8_t>(c); }

bool isProgrammerId(const std::uint8_t* id) { return std::memcmp(id, "KES", 3) == 0; }

}  // namespace

CLowIO::CLowIO(platform::SerialPortFactory& ports, platform::Scheduler& scheduler, platform::Dialogs& dialogs)
    : scheduler_(scheduler), dialogs_(dialogs), port_(ports.create()) {}

CLowIO::~CLowIO() {
    if (port_->isOpen()) port_->close();
}

bool CLowIO::isOpen() const { return port_->isOpen(); }

bool CLowIO::openPort(int number, int baud) {
    port_->close();
    platform::LineSettings line;
    line.baud = baud;
    line.dtr = false;
    line.rts = false;
    return port_->open(QStringLiteral("COM%1").arg(number), line, kTimeouts) == platform::PortError::None;
}

bool CLowIO::FindProgrammer() {
    inProgMode_ = false;
    for (int attempt = 0; attempt < kScanAttempts; ++attempt) {
        const ScanStep& step = kScan[attempt / kScannedPorts];
        if (!openPort(attempt % kScannedPorts + 1, step.baud)) continue;
        send({kEsc, kEsc, kEsc, kEsc});
        bool found = false;
        if (step.upgradeProbe) {
            found = ProbeUpgradeMode();
        } else {
            QString id;
            found = ReadSoftwareId(id) && id.startsWith(QLatin1String("KES"));
        }
        if (found) {
            autoIncrement_ = CheckAutoIncrement();
            return true;
        }
        port_->close();
    }
    return false;
}

bool CLowIO::send(std::initializer_list<std::uint8_t> bytes) { return send(bytes.begin(), bytes.size()); }

bool CLowIO::send(const std::uint8_t* data, std::size_t n) {
    const platform::IoResult r = port_->write(data, n);
    return r.error == platform::PortError::None && r.count == n;
}

bool CLowIO::receive(std::uint8_t* data, std::size_t n) {
    const platform::IoResult r = port_->read(data, n);
    return r.error == platform::PortError::None && r.count == n;
}

bool CLowIO::receiveCarriageReturn() {
    std::uint8_t b = 0;
    return receive(&b, 1) && b == kCr;
}

bool CLowIO::ReadSoftwareId(QString& id) {
    if (!send({u8('S')})) return false;
    scheduler_.sleep(kIdWaitMs);
    if (port_->bytesWaiting() < kIdLength) return false;
    std::uint8_t buf[kIdLength];
    if (!receive(buf, kIdLength)) return false;
    const char* text = reinterpret_cast<const char*>(buf);
    id = QString::fromLatin1(text, static_cast<qsizetype>(strnlen(text, kIdLength)));
    return true;
}

bool CLowIO::ProbeUpgradeMode() {
    if (!send(kUpgradeProbe, sizeof kUpgradeProbe)) return false;
    if (port_->bytesWaiting() > 0) port_->purge(true, false);
    if (!send({kEsc})) return false;
    scheduler_.sleep(kIdWaitMs);
    if (port_->bytesWaiting() < kIdLength) return false;
    std::uint8_t buf[kIdLength];
    return receive(buf, kIdLength) && isProgrammerId(buf);
}

bool CLowIO::ReadSoftwareVersion(char& major, char& minor) {
    std::uint8_t buf[2];
    if (!send({u8('V')}) || !receive(buf, 2)) return false;
    major = static_cast<char>(buf[0]);
    minor = static_cast<char>(buf[1]);
    return true;
}

bool CLowIO::ReadProgrammerType(char& type) {
    std::uint8_t b = 0;
    if (!send({u8('p')}) || !receive(&b, 1)) return false;
    type = static_cast<char>(b);
    return true;
}

QByteArray CLowIO::readList(char letter, std::size_t firstRead, std::size_t capacity) {
    QByteArray list;
    if (!send({u8(letter)})) return list;
    scheduler_.sleep(kListWaitMs);
    list.resize(static_cast<qsizetype>(firstRead));
    platform::IoResult r = port_->read(reinterpret_cast<std::uint8_t*>(list.data()), firstRead);
    list.truncate(static_cast<qsizetype>(r.count));
    const std::size_t room = capacity - static_cast<std::size_t>(list.size());
    const std::size_t more = std::min(port_->bytesWaiting(), room);
    if (more > 0) {
        QByteArray tail(static_cast<qsizetype>(more), '\0');
        r = port_->read(reinterpret_cast<std::uint8_t*>(tail.data()), more);
        list.append(tail.left(static_cast<qsizetype>(r.count)));
    }
    return list;
}

QByteArray CLowIO::ReadDeviceList() {
    const QByteArray list = readList('t', kListFirstRead, kDeviceListCapacity);
    const qsizetype end = list.indexOf('\0');
    return end < 0 ? list : list.left(end);
}

QByteArray CLowIO::ReadProgrammerTypeList() {
    const QByteArray list = readList('O', kListFirstRead, kTypeListCapacity);
    const qsizetype end = list.indexOf('\0');
    return end < 0 ? list : list.left(end);
}

bool CLowIO::SelectProgrammerType(char letter) {
    return send({u8('o'), u8(letter)}) && receiveCarriageReturn();
}

std::uint8_t CLowIO::ReadParamVersion() {
    std::uint8_t b = 0;
    if (!send({u8('K')}) || !receive(&b, 1)) return 0;
    return b;
}

void CLowIO::ReadBlockSupport() {
    const QByteArray reply = readList('b', 3, 3);
    blockSize_ = 0;
    if (reply.size() == 3 && reply[0] == 'Y' && static_cast<std::uint8_t>(reply[1]) != 0xFF)
        blockSize_ = static_cast<std::uint8_t>(reply[1]) * 256u + static_cast<std::uint8_t>(reply[2]);
}

bool CLowIO::CheckAutoIncrement() {
    std::uint8_t b = 0;
    return send({u8('a')}) && receive(&b, 1) && b == 'Y';
}

bool CLowIO::SelectDevice(const DeviceRow& row, std::uint8_t paramVersion) {
    const QByteArray message = DeviceSelectMessage(row, paramVersion);
    if (!send(reinterpret_cast<const std::uint8_t*>(message.constData()), static_cast<std::size_t>(message.size())))
        return false;
    if (!receiveCarriageReturn()) return false;
    deviceCode_ = row.deviceCode;
    flashSize_ = row.flashSize;
    eepromSize_ = row.eepromSize;
    wordAddressed_ = row.wordAddressed;
    return true;
}

bool CLowIO::EnterProgMode() {
    if (inProgMode_) return true;
    if (port_->bytesWaiting() > 0) {
        showMessage(QStringLiteral("Flushing"));
        port_->purge(true, false);
    }
    std::uint8_t b = 0;
    if (!send({u8('P')}) || !receive(&b, 1)) return false;
    if (b != kCr) {
        showMessage(QStringLiteral("Can't enter programming mode!"));
        LeaveProgMode();
        return false;
    }
    inProgMode_ = true;
    return true;
}

bool CLowIO::LeaveProgMode() {
    inProgMode_ = false;
    return send({u8('L')}) && receiveCarriageReturn();
}

bool CLowIO::ChipErase() {
    if (!EnterProgMode()) return false;
    if (!send({u8('e')})) return false;
    std::uint8_t b = 0;
    const bool answered = receive(&b, 1);
    scheduler_.sleep(kEraseWaitMs);
    if (!answered || b != kCr) return false;
    const DeviceRow* row = FindRowByCode(deviceCode_);
    if (row && row->leaveAfterErase) return LeaveProgMode();
    return true;
}

bool CLowIO::SetAddress(std::uint16_t address) {
    return send({u8('A'), static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)}) &&
           receiveCarriageReturn();
}

bool CLowIO::addressFor(std::uint16_t address, bool addressSet) { return addressSet || SetAddress(address); }

bool CLowIO::WriteProgramWord(std::uint16_t address, std::uint16_t value, bool addressSet) {
    if (!addressFor(address, addressSet)) return false;
    if (!send({u8('c'), static_cast<std::uint8_t>(value)}) || !receiveCarriageReturn()) return false;
    if (!wordAddressed_) return true;
    return send({u8('C'), static_cast<std::uint8_t>(value >> 8)}) && receiveCarriageReturn();
}

bool CLowIO::ReadProgramWord(std::uint16_t address, bool addressSet, std::uint16_t& value) {
    if (!addressFor(address, addressSet) || !send({u8('R')})) return false;
    std::uint8_t buf[2];
    if (!wordAddressed_) {
        if (!receive(buf, 1)) return false;
        value = buf[0];
        return true;
    }
    if (!receive(buf, 2)) return false;
    value = static_cast<std::uint16_t>(buf[0] << 8 | buf[1]);
    return true;
}

bool CLowIO::WritePage(std::uint16_t address, bool addressSet) {
    return addressFor(address, addressSet) && send({u8('m')}) && receiveCarriageReturn();
}

bool CLowIO::WriteDataByte(std::uint16_t address, std::uint8_t value, bool addressSet) {
    return addressFor(address, addressSet) && send({u8('D'), value}) && receiveCarriageReturn();
}

bool CLowIO::ReadDataByte(std::uint16_t address, bool addressSet, std::uint8_t& value) {
    return addressFor(address, addressSet) && send({u8('d')}) && receive(&value, 1);
}

bool CLowIO::BlockWrite(std::uint16_t count, const std::uint8_t* data, Memory memory) {
    QByteArray message;
    message.reserve(count + 4);
    message.append('B').append(static_cast<char>(count >> 8)).append(static_cast<char>(count & 0xFF));
    message.append(static_cast<char>(memory));
    message.append(reinterpret_cast<const char*>(data), count);
    if (!send(reinterpret_cast<const std::uint8_t*>(message.constData()), static_cast<std::size_t>(message.size())))
        return false;
    // The programmer answers only once the block is in the chip.
    platform::Timeouts slow = kTimeouts;
    slow.readTotalMultiplierMs = 0;
    slow.readTotalConstantMs = kBlockWriteBaseMs + kBlockWritePerByteMs * count;
    port_->setTimeouts(slow);
    const bool ok = receiveCarriageReturn();
    port_->setTimeouts(kTimeouts);
    return ok;
}

bool CLowIO::BlockRead(std::uint8_t* destination, std::uint16_t count, Memory memory) {
    return send({u8('g'), static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count),
                 static_cast<std::uint8_t>(memory)}) &&
           receive(destination, count);
}

bool CLowIO::ReadSignature(std::array<std::uint8_t, 3>& signature) {
    if (!EnterProgMode() || !send({u8('s')})) return false;
    scheduler_.sleep(kFuseReadWaitMs);
    return receive(signature.data(), signature.size());
}

bool CLowIO::ReadCalibrationByte(std::uint8_t& value) {
    if (!EnterProgMode() || !send({u8('h')})) return false;
    scheduler_.sleep(kFuseReadWaitMs);
    std::uint8_t buf[3] = {};
    const platform::IoResult r = port_->read(buf, 3);
    if (r.count < 2 || buf[1] != kCr) return false;
    value = buf[0];
    return true;
}

bool CLowIO::readByteInProgMode(char letter, std::uint8_t& value) {
    return EnterProgMode() && send({u8(letter)}) && receive(&value, 1);
}

bool CLowIO::writeByteInProgMode(char letter, std::uint8_t value) {
    return EnterProgMode() && send({u8(letter), value}) && receiveCarriageReturn();
}

bool CLowIO::ReadFuseBits(std::uint8_t& value) { return readByteInProgMode('F', value); }
bool CLowIO::ReadFuseHighBits(std::uint8_t& value) { return readByteInProgMode('N', value); }
bool CLowIO::ReadLockBits(std::uint8_t& value) { return readByteInProgMode('r', value); }
bool CLowIO::ReadExtFuseBits(std::uint8_t& value) { return readByteInProgMode('Q', value); }
bool CLowIO::WriteFuseBits(std::uint8_t value) { return writeByteInProgMode('f', value); }
bool CLowIO::WriteFuseHighBits(std::uint8_t value) { return writeByteInProgMode('n', value); }
bool CLowIO::WriteExtFuseBits(std::uint8_t value) { return writeByteInProgMode('q', value); }
bool CLowIO::WriteLockBits(std::uint8_t value) { return writeByteInProgMode('l', value); }

bool CLowIO::UniversalCommand(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t& result) {
    std::uint8_t reply[2];
    if (!EnterProgMode() || !send({u8(':'), b1, b2, b3}) || !receive(reply, 2) || reply[1] != kCr) return false;
    result = reply[0];
    return true;
}

bool CLowIO::UniversalCommand4(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4,
                               std::uint8_t& result) {
    std::uint8_t reply[2];
    if (!EnterProgMode() || !send({u8('.'), b1, b2, b3, b4}) || !receive(reply, 2) || reply[1] != kCr)
        return false;
    result = reply[0];
    return LeaveProgMode();
}

void CLowIO::showMessage(const QString& text) {
    dialogs_.message(dialogParent_, QStringLiteral("Burnet"), text, platform::Icon::Warning);
}

void CLowIO::lamp(char command, std::uint8_t number) {
    std::uint8_t ignored = 0;
    if (send({u8(command), number})) receive(&ignored, 1);
}

void CLowIO::ShowStatus(Status status) {
    lamp('y', 1);
    lamp('y', 2);
    lamp('y', 0);
    switch (status) {
        case Status::Busy: lamp('x', 2); break;
        case Status::Passed: lamp('x', 1); break;
        case Status::Failed: lamp('x', 0); break;
    }
}

}  // namespace burnet
