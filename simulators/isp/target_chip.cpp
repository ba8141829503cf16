#include "target_chip.h"

namespace ispsim {
namespace {

constexpr std::uint8_t kErased = 0xFF;
// ATmega fuse and lock bits with an effect here.
constexpr std::uint8_t kSpienHigh = 0x20;    // serial programming enable, out of its own reach
constexpr std::uint8_t kEesaveHigh = 0x08;   // EEPROM kept through a chip erase
constexpr std::uint8_t kBlb01 = 0x04;        // no SPM into the application section
constexpr std::uint8_t kBlb02 = 0x08;        // no LPM from the application section
constexpr std::uint8_t kBootLockBits = 0x3C;
// AT90S4433's fuse byte: bit 5 SPIEN, bits 4-0 writable.
constexpr std::uint8_t kClassicFuseWritable = 0x1F;

std::uint8_t u8(char c) { return static_cast<std::uint8_t>(c); }

}  // namespace

TargetChip::TargetChip(const PartInfo& part)
    : part_(part),
      flash_(part.flashSize, static_cast<char>(kErased)),
      eeprom_(part.eepromSize, static_cast<char>(kErased)),
      pageBuffer_(part.pageSize, static_cast<char>(kErased)),
      fuses_(part.factoryFuses) {}

void TargetChip::presetFlash(int offset, const QByteArray& bytes) {
    for (int i = 0; i < bytes.size() && offset + i < flash_.size(); ++i)
        if (offset + i >= 0) flash_[offset + i] = bytes[i];
}

void TargetChip::presetEeprom(int offset, const QByteArray& bytes) {
    for (int i = 0; i < bytes.size() && offset + i < eeprom_.size(); ++i)
        if (offset + i >= 0) eeprom_[offset + i] = bytes[i];
}

std::uint8_t TargetChip::fuse(Fuse f) const {
    return part_.hasFuse(f) ? fuses_[static_cast<std::size_t>(f)] : kErased;
}

void TargetChip::setFuse(Fuse f, std::uint8_t value) {
    if (part_.hasFuse(f)) fuses_[static_cast<std::size_t>(f)] = value;
}

int TargetChip::lockMode() const {
    if (part_.family == Family::Mcs51) {
        if (!(lock_ & 0x10)) return 4;
        if (!(lock_ & 0x08)) return 3;
        if (!(lock_ & 0x04)) return 2;
        return 1;
    }
    const int lb = part_.family == Family::MegaAvr ? lock_ & 0x03 : (lock_ >> 1) & 0x03;
    if (lb == 0x03) return 1;
    return lb == 0x00 ? 3 : 2;
}

int TargetChip::bootSectionBytes() const {
    if (!part_.hasBootSection()) return 0;
    const int bootsz = (fuse(Fuse::High) >> 1) & 0x03;
    return 2 * (part_.bootMinWords << (3 - bootsz));
}

std::uint8_t TargetChip::signature(int index) const {
    return index >= 0 && index < 3 ? part_.signature[static_cast<std::size_t>(index)] : kErased;
}

std::uint8_t TargetChip::calibration(int index) const {
    return index >= 0 && index < part_.calibration.size() ? u8(part_.calibration[index]) : kErased;
}

int TargetChip::flashIndex(int byteAddress) const { return byteAddress & (part_.flashSize - 1); }

bool TargetChip::bootSectionHolds(int byteAddress) const {
    return flashIndex(byteAddress) >= part_.flashSize - bootSectionBytes();
}

bool TargetChip::mayWriteFlash(Access access, int byteAddress) const {
    if (access == Access::External) return lockMode() < 2;
    // The loader never overwrites itself; the boot lock bits guard the application section.
    return !bootSectionHolds(byteAddress) && (lock_ & kBlb01);
}

bool TargetChip::mayReadFlash(Access access, int byteAddress) const {
    if (access == Access::External) return lockMode() < 3;
    return bootSectionHolds(byteAddress) || (lock_ & kBlb02);
}

int TargetChip::chipErase(Access access) {
    clearPageBuffer();
    if (access == Access::BootLoader) {
        // The loader erases the application section page by page.
        const int page = part_.pageSize > 0 ? part_.pageSize : 1;
        int busyUs = 0;
        for (int a = 0; a < part_.flashSize; a += page) {
            if (!mayWriteFlash(access, a)) continue;
            flash_.replace(a, page, QByteArray(page, static_cast<char>(kErased)));
            busyUs += part_.flashWriteUs;
        }
        return busyUs;
    }
    flash_.fill(static_cast<char>(kErased));
    const bool keepEeprom = part_.family == Family::MegaAvr && !(fuse(Fuse::High) & kEesaveHigh);
    if (!keepEeprom) eeprom_.fill(static_cast<char>(kErased));
    lock_ = kErased;
    return part_.eraseUs;
}

std::uint8_t TargetChip::readFlash(Access access, int byteAddress) const {
    if (!mayReadFlash(access, byteAddress)) return kErased;
    return u8(flash_[flashIndex(byteAddress)]);
}

int TargetChip::programFlashByte(Access access, int byteAddress, std::uint8_t value) {
    if (part_.pageSize > 0) {
        pageBuffer_[byteAddress & (part_.pageSize - 1)] = static_cast<char>(value);
        return 0;
    }
    if (!mayWriteFlash(access, byteAddress)) return part_.flashWriteUs;
    const int i = flashIndex(byteAddress);
    flash_[i] = static_cast<char>(u8(flash_[i]) & value);
    return part_.flashWriteUs;
}

int TargetChip::writePage(Access access, int byteAddress) {
    if (part_.pageSize <= 0) return 0;
    const int start = flashIndex(byteAddress) & ~(part_.pageSize - 1);
    if (mayWriteFlash(access, start)) {
        for (int i = 0; i < part_.pageSize; ++i)
            flash_[start + i] = static_cast<char>(u8(flash_[start + i]) & u8(pageBuffer_[i]));
    }
    clearPageBuffer();
    return part_.flashWriteUs;
}

void TargetChip::clearPageBuffer() { pageBuffer_.fill(static_cast<char>(kErased)); }

std::uint8_t TargetChip::readEeprom(Access access, int address) const {
    if (eeprom_.isEmpty()) return kErased;
    if (access == Access::External && lockMode() >= 3) return kErased;
    return u8(eeprom_[address & (part_.eepromSize - 1)]);
}

int TargetChip::writeEeprom(Access access, int address, std::uint8_t value) {
    if (eeprom_.isEmpty()) return 0;
    // An EEPROM write erases the byte first, so any value can be written.
    if (access == Access::BootLoader || lockMode() < 2)
        eeprom_[address & (part_.eepromSize - 1)] = static_cast<char>(value);
    return part_.eepromWriteUs;
}

int TargetChip::writeFuse(Fuse f, std::uint8_t value) {
    if (!part_.hasFuse(f)) return 0;
    if (lockMode() >= 2) return part_.fuseWriteUs;
    std::uint8_t& fuse = fuses_[static_cast<std::size_t>(f)];
    if (part_.family == Family::ClassicAvr) {
        fuse = static_cast<std::uint8_t>((fuse & ~kClassicFuseWritable) | (value & kClassicFuseWritable));
    } else if (f == Fuse::High) {
        fuse = static_cast<std::uint8_t>((value & ~kSpienHigh) | (fuse & kSpienHigh));
    } else if (f == Fuse::Extended) {
        fuse = static_cast<std::uint8_t>(value | 0xFC);  // only bits 1-0 exist
    } else {
        fuse = value;
    }
    return part_.fuseWriteUs;
}

int TargetChip::writeLockBits(Access access, std::uint8_t value) {
    switch (part_.family) {
        case Family::MegaAvr:
            lock_ &= static_cast<std::uint8_t>(
                value | (access == Access::BootLoader ? ~kBootLockBits : 0xC0));
            break;
        case Family::ClassicAvr:
            lock_ &= static_cast<std::uint8_t>(value | 0xF9);
            break;
        case Family::Mcs51:
            if (!(value & 0x80)) lock_ &= 0xFB;
            if (!(value & 0x40)) lock_ &= 0xF7;
            if (!(value & 0x20)) lock_ &= 0xEF;
            break;
    }
    return part_.fuseWriteUs;
}

void TargetChip::programLockMode51(int mode) {
    if (mode >= 2) lock_ &= 0xFB;
    if (mode >= 3) lock_ &= 0xF7;
    if (mode >= 4) lock_ &= 0xEF;
}

std::uint8_t TargetChip::execute(const std::array<std::uint8_t, 4>& in, int& busyUs) {
    return part_.family == Family::Mcs51 ? executeMcs51(in, busyUs) : executeAvr(in, busyUs);
}

std::uint8_t TargetChip::executeAvr(const std::array<std::uint8_t, 4>& in, int& busyUs) {
    const bool mega = part_.family == Family::MegaAvr;
    const int word = (in[1] << 8) | in[2];
    // Bytes written are echoed one byte late, so a write shifts out its third byte last.
    const std::uint8_t echo = in[2];
    switch (in[0]) {
        case 0x20: return readFlash(Access::External, 2 * word);
        case 0x28: return readFlash(Access::External, 2 * word + 1);
        case 0x40: busyUs += programFlashByte(Access::External, 2 * word, in[3]); return echo;
        case 0x48: busyUs += programFlashByte(Access::External, 2 * word + 1, in[3]); return echo;
        case 0x4C: busyUs += writePage(Access::External, 2 * word); return echo;
        case 0xA0: return readEeprom(Access::External, word);
        case 0xC0: busyUs += writeEeprom(Access::External, word, in[3]); return echo;
        case 0x30: return signature(in[2] & 0x03);
        case 0x38: return mega ? calibration(in[2] & 0x03) : kErased;
        case 0x50:
            if (!mega) return fuse(Fuse::Low);
            return in[1] == 0x08 ? fuse(Fuse::Extended) : fuse(Fuse::Low);
        case 0x58:
            if (!mega) return lock_;
            return in[1] == 0x08 ? fuse(Fuse::High) : lock_;
        case 0xF0: return 0x00;  // never busy: the programmer answers after the write time
        case 0xAC: break;
        default: return kErased;
    }
    if (in[1] == 0x53) return echo;
    if ((in[1] & 0xE0) == 0x80) {
        busyUs += chipErase(Access::External);
        return echo;
    }
    if (mega) {
        switch (in[1]) {
            case 0xA0: busyUs += writeFuse(Fuse::Low, in[3]); return echo;
            case 0xA8: busyUs += writeFuse(Fuse::High, in[3]); return echo;
            case 0xA4: busyUs += writeFuse(Fuse::Extended, in[3]); return echo;
            default: break;
        }
        if ((in[1] & 0xE0) == 0xE0) busyUs += writeLockBits(Access::External, in[3]);
        return echo;
    }
    // AT90S: the value travels in the second byte.
    if ((in[1] & 0xF9) == 0xF9) {
        busyUs += writeLockBits(Access::External, in[1]);
    } else if ((in[1] & 0xE0) == 0xA0) {
        busyUs += writeFuse(Fuse::Low, in[1]);
    }
    return echo;
}

std::uint8_t TargetChip::executeMcs51(const std::array<std::uint8_t, 4>& in, int& busyUs) {
    const int address = ((in[1] & 0x1F) << 8) | in[2];
    switch (in[0]) {
        case 0x20: return readFlash(Access::External, address);
        case 0x40: busyUs += programFlashByte(Access::External, address, in[3]); return in[2];
        case 0x24: return lock_;
        case 0x28: return signature(in[1] & 0x03);
        case 0xAC: break;
        default: return kErased;
    }
    if (in[1] == 0x53) return 0x69;  // the part's answer to programming enable
    if ((in[1] & 0xE0) == 0x80) {
        busyUs += chipErase(Access::External);
    } else if ((in[1] & 0xFC) == 0xE0) {
        programLockMode51((in[1] & 0x03) + 1);
        busyUs += part_.fuseWriteUs;
    }
    return in[2];
}

}  // namespace ispsim
