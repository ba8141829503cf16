#pragma once

#include "parts.h"

#include <QByteArray>

#include <array>
#include <cstdint>

namespace ispsim {

// Who reaches the memories: a programmer through the serial programming interface, or the
// part's own boot loader. Different lock bits guard the two.
enum class Access { External, BootLoader };

// A virtual part: flash that only an erase sets back to 0xFF and programming can only clear
// bits of, a page buffer that a page write commits, EEPROM bytes, fuses and lock bits with
// their effects. Operations that take time on a real part return that time in microseconds.
// Addresses beyond a memory wrap around, as on the real parts, which ignore the high bits.
class TargetChip {
public:
    explicit TargetChip(const PartInfo& part);

    const PartInfo& part() const { return part_; }

    // State, for tests and callers to inspect and preset.
    const QByteArray& flash() const { return flash_; }
    const QByteArray& eeprom() const { return eeprom_; }
    void presetFlash(int offset, const QByteArray& bytes);  // clipped to the memory
    void presetEeprom(int offset, const QByteArray& bytes);
    // As the part's read instruction gives it; 0xFF for a fuse byte the part does not have.
    std::uint8_t fuse(Fuse f) const;
    void setFuse(Fuse f, std::uint8_t value);
    // As the part's lock read instruction gives it, 0 = programmed: ATmega bits 5-0 (boot
    // lock bits 5-2, LB2 LB1), AT90S bits 2-1 (LB2 LB1), AT89S bits 4-2 (LB3 LB2 LB1); all
    // other bits read 1. Parts without a lock read instruction keep the same form.
    std::uint8_t lock() const { return lock_; }
    void setLock(std::uint8_t value) { lock_ = value; }
    // 1 no lock, 2 further programming disabled, 3 programming and verifying disabled,
    // 4 (AT89S) external execution disabled as well.
    int lockMode() const;
    // The boot section the fuse bits choose, in bytes at the top of the flash; 0 when the
    // part has none.
    int bootSectionBytes() const;
    std::uint8_t signature(int index) const;
    std::uint8_t calibration(int index) const;

    // The serial programming interface and the boot loader's self-programming.
    int chipErase(Access access);
    std::uint8_t readFlash(Access access, int byteAddress) const;
    // Loads the page buffer on parts with pages, programs the byte at once on the others.
    int programFlashByte(Access access, int byteAddress, std::uint8_t value);
    // Commits the page buffer to the page holding the address; nothing on parts without pages.
    int writePage(Access access, int byteAddress);
    // Programming mode ended: what was loaded and not written is lost.
    void clearPageBuffer();
    std::uint8_t readEeprom(Access access, int address) const;
    int writeEeprom(Access access, int address, std::uint8_t value);
    int writeFuse(Fuse f, std::uint8_t value);
    // Programs lock bits from the byte a programmer's write-lock command carries for this
    // family (ATmega: the lock byte; AT90S: LB2 LB1 in bits 2-1; AT89S: LB1 LB2 LB3 in
    // bits 7-5). A boot loader can only program the boot lock bits. Bits never return to 1
    // but by a chip erase.
    int writeLockBits(Access access, std::uint8_t value);

    // One 4-byte serial programming instruction of the part's family; gives the byte the
    // part shifts out during the last byte and adds the time it takes to busyUs.
    std::uint8_t execute(const std::array<std::uint8_t, 4>& instruction, int& busyUs);

private:
    int flashIndex(int byteAddress) const;
    bool bootSectionHolds(int byteAddress) const;
    bool mayWriteFlash(Access access, int byteAddress) const;
    bool mayReadFlash(Access access, int byteAddress) const;
    void programLockMode51(int mode);
    std::uint8_t executeAvr(const std::array<std::uint8_t, 4>& in, int& busyUs);
    std::uint8_t executeMcs51(const std::array<std::uint8_t, 4>& in, int& busyUs);

    const PartInfo part_;
    QByteArray flash_;
    QByteArray eeprom_;
    QByteArray pageBuffer_;
    std::array<std::uint8_t, 3> fuses_;
    std::uint8_t lock_ = 0xFF;
};

}  // namespace ispsim
