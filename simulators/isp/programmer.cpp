#include "programmer.h"

#include "framing.h"

namespace ispsim {
namespace {

constexpr char kCr = '\r';
constexpr char kUnknown = '?';
constexpr char kEsc = '\x1b';

std::uint8_t byteAt(const QByteArray& b, int i) { return static_cast<std::uint8_t>(b[i]); }

QByteArray one(std::uint8_t b) { return QByteArray(1, static_cast<char>(b)); }

}  // namespace

ProgrammerConfig ProgrammerConfig::inSystemProgrammer() {
    ProgrammerConfig c;
    for (const PartInfo& p : allParts()) c.deviceList.append(static_cast<char>(p.deviceCode));
    return c;
}

ProgrammerConfig ProgrammerConfig::bootLoaderOf(const PartInfo& part) {
    ProgrammerConfig c;
    c.identifier = "KESBOOT";
    c.softwareVersion = "10";
    c.hardwareVersion.clear();
    c.programmerTypes.clear();
    c.blockSize = part.pageSize;
    c.deviceList = one(part.bootDeviceCode);
    c.bootLoader = true;
    return c;
}

Programmer::Programmer(const PartInfo& part, ProgrammerConfig config)
    : config_(std::move(config)), chip_(part), currentType_(config_.type) {}

QStringList Programmer::logTexts() const {
    QStringList texts;
    for (const LoggedCommand& c : log_) texts << c.text();
    return texts;
}

void Programmer::received(const QByteArray& bytes) {
    // At another baud rate the programmer's UART makes nothing of the bytes.
    if (config_.listenBaud != 0 && (!link_ || link_->hostBaud() != config_.listenBaud)) return;
    pending_.append(bytes);
    const bool longSelect = !config_.bootLoader && config_.deviceList.isEmpty() && config_.paramVersion == 1;
    for (;;) {
        const int n = commandLength(pending_, longSelect);
        if (n == 0 || n > pending_.size()) return;
        const QByteArray cmd = pending_.left(n);
        pending_.remove(0, n);
        execute(cmd);
        if (cmd[0] == 'E' && config_.bootLoader) {
            // What follows is for the application, not the loader; the handler may end the
            // loader, so nothing of it is touched afterwards.
            pending_.clear();
            if (const auto handler = onExit_) handler();
            return;
        }
    }
}

void Programmer::execute(const QByteArray& cmd) {
    Reply r;
    if (config_.upgradeMode && cmd[0] != kEsc && cmd[0] != '[') {
        r.bytes = one(kUnknown);
        r.note = QStringLiteral("upgrade mode");
    } else if (!programmerCommand(cmd, r)) {
        targetCommand(cmd, r);
    }
    if (link_ && !r.bytes.isEmpty())
        link_->send(r.bytes, config_.realisticTiming ? (r.busyUs + 999) / 1000 : 0);
    const LoggedCommand entry{cmd, r.bytes, r.note};
    if (keepLog_) log_.push_back(entry);
    if (observer_) observer_(entry);
}

bool Programmer::needsTarget(char letter) const {
    static const QByteArray letters = "ecCmRDdBgshFNQrfnql:.";
    return letters.contains(letter);
}

// A stand-alone programmer reaches the target only in programming mode; the boot loader is
// the target.
bool Programmer::reachesTarget(char letter, Reply& r) const {
    if (config_.bootLoader || !needsTarget(letter) || progMode_) return true;
    r.note = QStringLiteral("not in programming mode");
    return false;
}

void Programmer::advance(int units) {
    if (config_.autoIncrement) address_ += units;
}

void Programmer::noteLock(Reply& r, int blockingMode) const {
    if (access() == Access::External && chip_.lockMode() >= blockingMode)
        r.note = QStringLiteral("lock mode %1").arg(chip_.lockMode());
}

bool Programmer::programmerCommand(const QByteArray& cmd, Reply& r) {
    const char letter = cmd[0];
    const bool boot = config_.bootLoader;
    auto arg = [&](int i) { return byteAt(cmd, i); };
    switch (letter) {
        case kEsc:
            if (probeArmed_) r.bytes = config_.identifier;
            probeArmed_ = false;
            return true;
        case '[':
            if (cmd == kUpgradeProbe) {
                probeArmed_ = true;
            } else {
                r.bytes = one(kUnknown);
            }
            return true;
        case 'S': r.bytes = config_.identifier; return true;
        case 'V': r.bytes = config_.softwareVersion; return true;
        case 'v':
            r.bytes = config_.hardwareVersion.isEmpty() ? one(kUnknown) : config_.hardwareVersion;
            return true;
        case 'p': r.bytes = one(static_cast<std::uint8_t>(currentType_)); return true;
        case 'a': r.bytes = one(config_.autoIncrement ? 'Y' : 'N'); return true;
        case 'b':
            if (config_.blockSize <= 0) {
                r.bytes = one(kUnknown);
            } else {
                r.bytes = one('Y') + one(static_cast<std::uint8_t>(config_.blockSize >> 8)) +
                          one(static_cast<std::uint8_t>(config_.blockSize));
            }
            return true;
        case 't': r.bytes = config_.deviceList + one(0); return true;
        case 'O':
            r.bytes = config_.programmerTypes.isEmpty() ? one(kUnknown) : config_.programmerTypes + one(0);
            return true;
        case 'o':
            if (!config_.programmerTypes.contains(cmd[1])) {
                r.bytes = one(kUnknown);
                return true;
            }
            currentType_ = cmd[1] == 'P' ? 'P' : 'S';
            r.bytes = one(kCr);
            return true;
        case 'K':
            r.bytes = boot ? one(kUnknown) : one(config_.paramVersion);
            return true;
        case 'T': selectDevice(cmd, r); return true;
        case 'P':
            if (!boot && !targetPresent_) {
                progMode_ = false;
                r.bytes = one(kUnknown);
                r.note = QStringLiteral("no target");
                return true;
            }
            progMode_ = true;
            r.bytes = one(kCr);
            return true;
        case 'L':
            progMode_ = false;
            chip_.clearPageBuffer();
            r.bytes = one(kCr);
            return true;
        case 'E':
            r.bytes = one(boot ? kCr : kUnknown);
            if (boot) progMode_ = false;
            return true;
        case 'A':
            address_ = (arg(1) << 8) | arg(2);
            r.bytes = one(kCr);
            return true;
        case 'H':
            address_ = (arg(1) << 16) | (arg(2) << 8) | arg(3);
            r.bytes = one(kCr);
            return true;
        case 'x':
        case 'y':
            if (!config_.hasLamps) {
                r.bytes = one(kUnknown);
                return true;
            }
            lamps_.set(arg(1), letter == 'x');
            r.bytes = one(kCr);
            return true;
        default: return false;
    }
}

void Programmer::targetCommand(const QByteArray& cmd, Reply& r) {
    const char letter = cmd[0];
    const bool boot = config_.bootLoader;
    const bool words = chip_.part().wordAddressed();
    const bool paged = chip_.part().pageSize > 0;
    const bool live = reachesTarget(letter, r);
    const Access acc = access();
    auto arg = [&](int i) { return byteAt(cmd, i); };
    switch (letter) {
        case 'e':
            if (live) r.busyUs += chip_.chipErase(acc);
            r.bytes = one(kCr);
            return;
        case 'c':
            if (live) {
                r.busyUs += chip_.programFlashByte(acc, flashByteAddress(), arg(1));
                if (!paged) noteLock(r, 2);
            }
            if (!words) advance();
            r.bytes = one(kCr);
            return;
        case 'C':
            if (!words) {
                r.bytes = one(kUnknown);
                return;
            }
            if (live) {
                r.busyUs += chip_.programFlashByte(acc, flashByteAddress() + 1, arg(1));
                if (!paged) noteLock(r, 2);
            }
            advance();
            r.bytes = one(kCr);
            return;
        case 'm':
            if (live) {
                r.busyUs += chip_.writePage(acc, flashByteAddress());
                noteLock(r, 2);
            }
            r.bytes = one(kCr);
            return;
        case 'R':
            if (words) {
                r.bytes = one(live ? chip_.readFlash(acc, flashByteAddress() + 1) : 0xFF) +
                          one(live ? chip_.readFlash(acc, flashByteAddress()) : 0xFF);
            } else {
                r.bytes = one(live ? chip_.readFlash(acc, flashByteAddress()) : 0xFF);
            }
            if (live) noteLock(r, 3);
            advance();
            return;
        case 'D':
            if (live) {
                r.busyUs += chip_.writeEeprom(acc, address_, arg(1));
                noteLock(r, 2);
            }
            advance();
            r.bytes = one(kCr);
            return;
        case 'd':
            r.bytes = one(live ? chip_.readEeprom(acc, address_) : 0xFF);
            if (live) noteLock(r, 3);
            advance();
            return;
        case 'B': blockWrite(cmd, r); return;
        case 'g': blockRead(cmd, r); return;
        case 's':
            // Last signature byte first.
            for (int i = 2; i >= 0; --i) r.bytes += one(live ? chip_.signature(i) : 0xFF);
            return;
        case 'h':
            if (boot) {
                r.bytes = one(kUnknown);
                return;
            }
            r.bytes = one(live ? chip_.calibration(0) : 0xFF) + one(kCr);
            return;
        case 'F': r.bytes = one(live ? chip_.fuse(Fuse::Low) : 0xFF); return;
        case 'N': r.bytes = one(live ? chip_.fuse(Fuse::High) : 0xFF); return;
        case 'Q': r.bytes = one(live ? chip_.fuse(Fuse::Extended) : 0xFF); return;
        case 'r': r.bytes = one(live ? chip_.lock() : 0xFF); return;
        case 'f':
        case 'n':
        case 'q':
            if (boot) {
                r.bytes = one(kUnknown);
                return;
            }
            if (live) {
                const Fuse f = letter == 'f' ? Fuse::Low : letter == 'n' ? Fuse::High : Fuse::Extended;
                r.busyUs += chip_.writeFuse(f, arg(1));
                noteLock(r, 2);
            }
            r.bytes = one(kCr);
            return;
        case 'l':
            if (live) r.busyUs += chip_.writeLockBits(acc, arg(1));
            r.bytes = one(kCr);
            return;
        case ':':
        case '.': rawInstruction(cmd, r); return;
        default: r.bytes = one(kUnknown); return;
    }
}

void Programmer::selectDevice(const QByteArray& cmd, Reply& r) {
    const DeviceSelection s = decodeSelect(cmd);
    if (!config_.deviceList.isEmpty() && !config_.deviceList.contains(static_cast<char>(s.deviceCode))) {
        r.bytes = one(kUnknown);
        r.note = QStringLiteral("device not in the list");
        return;
    }
    selection_ = s;
    r.bytes = one(kCr);
}

void Programmer::blockWrite(const QByteArray& cmd, Reply& r) {
    const int count = (byteAt(cmd, 1) << 8) | byteAt(cmd, 2);
    const char memory = cmd[3];
    const QByteArray data = cmd.mid(4);
    r.bytes = one(kUnknown);
    if (config_.blockSize <= 0) {
        r.note = QStringLiteral("no block mode");
        return;
    }
    if (count > config_.blockSize) {
        r.note = QStringLiteral("block larger than the buffer");
        return;
    }
    const bool live = reachesTarget('B', r);
    const Access acc = access();
    if (memory == 'E') {
        for (int i = 0; live && i < count; ++i)
            r.busyUs += chip_.writeEeprom(acc, address_ + i, byteAt(data, i));
        address_ += count;
    } else if (memory == 'F') {
        const int start = flashByteAddress();
        const int page = chip_.part().pageSize;
        for (int i = 0; live && i < count; ++i) {
            r.busyUs += chip_.programFlashByte(acc, start + i, byteAt(data, i));
            // A block that reaches the end of a page writes that page, the rest goes on.
            const bool pageEnds = page > 0 && ((start + i + 1) % page == 0 || i == count - 1);
            if (pageEnds) r.busyUs += chip_.writePage(acc, start + i);
        }
        address_ += chip_.part().wordAddressed() ? (count + 1) / 2 : count;
    } else {
        r.note = QStringLiteral("unknown memory");
        return;
    }
    if (live) noteLock(r, 2);
    r.bytes = one(kCr);
}

void Programmer::blockRead(const QByteArray& cmd, Reply& r) {
    const int count = (byteAt(cmd, 1) << 8) | byteAt(cmd, 2);
    const char memory = cmd[3];
    if (config_.blockSize <= 0 || (memory != 'E' && memory != 'F')) {
        r.bytes = one(kUnknown);
        r.note = config_.blockSize <= 0 ? QStringLiteral("no block mode") : QStringLiteral("unknown memory");
        return;
    }
    const bool live = reachesTarget('g', r);
    const Access acc = access();
    if (memory == 'E') {
        for (int i = 0; i < count; ++i) r.bytes += one(live ? chip_.readEeprom(acc, address_ + i) : 0xFF);
        address_ += count;
    } else {
        const int start = flashByteAddress();
        for (int i = 0; i < count; ++i) r.bytes += one(live ? chip_.readFlash(acc, start + i) : 0xFF);
        address_ += chip_.part().wordAddressed() ? (count + 1) / 2 : count;
    }
    if (live) noteLock(r, 3);
}

void Programmer::rawInstruction(const QByteArray& cmd, Reply& r) {
    // Only a serial programmer can pass instructions through, and a boot loader has none.
    if (config_.bootLoader || currentType_ != 'S') {
        r.bytes = one(kUnknown);
        return;
    }
    std::array<std::uint8_t, 4> instruction{};
    for (int i = 1; i < cmd.size() && i <= 4; ++i) instruction[static_cast<std::size_t>(i - 1)] = byteAt(cmd, i);
    const bool live = reachesTarget(cmd[0], r);
    const std::uint8_t result = live ? chip_.execute(instruction, r.busyUs) : 0xFF;
    r.bytes = one(result) + one(kCr);
}

}  // namespace ispsim
