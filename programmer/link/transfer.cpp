// The six memory transfers of CLowIO: program, verify and read the flash and the EEPROM.
#include "lowio.h"

#include "device_table.h"

#include "programmer/app/hex_writer.h"

#include <QIODevice>
#include <QString>

#include <algorithm>
#include <array>
#include <vector>

namespace burnet {

namespace {

// Verify and read fetch this much per block read.
constexpr std::uint32_t kReadChunk = 256;
constexpr std::uint32_t kLinesPerSegment = 0x10000 / kHexRecordBytes;
constexpr std::uint32_t kProgressLimit = 65535;
constexpr std::uint8_t kErased = 0xFF;

const char* const kWordMismatch = "   地址: 0x%04x, 原始数据: 0x%04x, 芯片数据: 0x%04x";
const char* const kByteMismatch = "   地址: 0x%04x, 原始数据: 0x%02x, 芯片数据: 0x%02x";

std::uint16_t wordAt(std::span<const std::uint8_t> bytes, std::uint32_t word) {
    const std::size_t low = 2 * static_cast<std::size_t>(word);
    const std::uint8_t hi = low + 1 < bytes.size() ? bytes[low + 1] : kErased;
    const std::uint8_t lo = low < bytes.size() ? bytes[low] : kErased;
    return static_cast<std::uint16_t>(hi << 8 | lo);
}

bool allErased(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == kErased; });
}

// Clips the highest address to the image; false when nothing of the image can be moved.
bool clip(std::span<const std::uint8_t> image, std::uint32_t& highest) {
    if (image.empty()) return false;
    highest = std::min<std::uint32_t>(highest, static_cast<std::uint32_t>(image.size() - 1));
    return true;
}

bool writeRecord(QIODevice& out, const QByteArray& record) { return out.write(record) == record.size(); }

bool writeLine(QIODevice& out, std::uint32_t line, const std::uint8_t* bytes) {
    if (line % kLinesPerSegment == 0 && !writeRecord(out, HexSegmentRecord(static_cast<std::uint16_t>(line)))) return false;
    const std::span<const std::uint8_t, kHexRecordBytes> data(bytes, kHexRecordBytes);
    return writeRecord(out, HexDataRecord(static_cast<std::uint16_t>(line * kHexRecordBytes), data));
}

}  // namespace

// The progress bar over one transfer: a range that stays within 16 bits, and back to 0
// at the end however the transfer ends.
class CLowIO::Progress {
public:
    Progress(ProgressControl* control, std::uint32_t units, std::uint32_t divisor)
        : control_(control), divisor_(divisor) {
        if (!control_) return;
        control_->setRange(0, static_cast<int>(units / divisor_));
        control_->setPosition(0);
    }
    ~Progress() { reset(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void at(std::uint32_t done) {
        if (control_) control_->setPosition(static_cast<int>(done / divisor_));
    }
    void reset() {
        if (control_) control_->setPosition(0);
    }

    static std::uint32_t flashDivisor(std::uint32_t n) { return n / kProgressLimit + 1; }
    static std::uint32_t eepromDivisor(std::uint32_t n) { return std::max<std::uint32_t>(1, n / kProgressLimit); }

private:
    ProgressControl* control_;
    std::uint32_t divisor_;
};

namespace {

// Where the programmer's address counter stands, as far as the commands sent tell: a word
// or byte command needs no address when the counter is already there.
class AddressCounter {
public:
    explicit AddressCounter(bool autoIncrement) : autoIncrement_(autoIncrement) {}
    bool at(std::uint32_t address) const { return autoIncrement_ && known_ && next_ == address; }
    void wrote(std::uint32_t address) {
        known_ = true;
        next_ = address + 1;
    }
    // After a page write the counter is wherever the page write left it.
    void forget() { known_ = false; }

private:
    bool autoIncrement_;
    bool known_ = true;  // the transfer starts with address 0
    std::uint32_t next_ = 0;
};

}  // namespace

bool CLowIO::ProgramFlash(std::span<const std::uint8_t> image, std::uint32_t highest, std::uint32_t pageSize) {
    if (highest == 0) return true;
    if (!clip(image, highest) || !EnterProgMode() || !SetAddress(0)) return false;
    Progress progress(progress_, highest, Progress::flashDivisor(highest));
    const DeviceRow* row = FindRowByCode(deviceCode_);
    bool ok = false;
    if (blockSize_ > 0) {
        ok = programFlashBlocks(image, highest, progress);
    } else if (row && row->writeWholePages && pageSize >= 2) {
        ok = programFlashWholePages(image, highest, pageSize, progress);
    } else if (wordAddressed_) {
        ok = programFlashWords(image, highest, pageSize, progress);
    } else {
        ok = programFlashBytes(image, highest, progress);
    }
    return ok && LeaveProgMode();
}

bool CLowIO::programFlashBlocks(std::span<const std::uint8_t> image, std::uint32_t highest, Progress& progress) {
    const auto lastByte = static_cast<std::uint32_t>(image.size() - 1);
    for (std::uint32_t start = 0; start <= highest; start += blockSize_) {
        const std::uint32_t end = std::min(start + blockSize_ - 1, highest);
        const auto step = image.subspan(start, end - start + 1);
        const auto first = std::find_if(step.begin(), step.end(), [](std::uint8_t b) { return b != kErased; });
        if (first != step.end()) {
            const auto last = std::find_if(step.rbegin(), step.rend(), [](std::uint8_t b) { return b != kErased; });
            std::uint32_t from = start + static_cast<std::uint32_t>(first - step.begin());
            std::uint32_t to = end - static_cast<std::uint32_t>(last - step.rbegin());
            if (wordAddressed_) {
                from &= ~1u;
                to = std::min(to | 1u, lastByte);
            }
            // A block that did not take shows up in the verify.
            SetAddress(static_cast<std::uint16_t>(wordAddressed_ ? from / 2 : from));
            if (!BlockWrite(static_cast<std::uint16_t>(to - from + 1), image.data() + from, Memory::Flash)) return false;
        }
        progress.at(end + 1);
    }
    return true;
}

bool CLowIO::programFlashWholePages(std::span<const std::uint8_t> image, std::uint32_t highest,
                                    std::uint32_t pageSize, Progress& progress) {
    AddressCounter counter(autoIncrement_);
    const auto size = static_cast<std::uint32_t>(image.size());
    for (std::uint32_t start = 0; start <= highest; start += pageSize) {
        const std::uint32_t end = std::min(start + pageSize - 1, highest);
        if (!allErased(image.subspan(start, end - start + 1))) {
            for (std::uint32_t word = start / 2; 2 * word < std::min(start + pageSize, size); ++word) {
                if (!WriteProgramWord(static_cast<std::uint16_t>(word), wordAt(image, word), counter.at(word))) return false;
                counter.wrote(word);
            }
            WritePage(static_cast<std::uint16_t>(start / 2), false);
            counter.forget();
        }
        progress.at(end + 1);
    }
    return true;
}

bool CLowIO::programFlashWords(std::span<const std::uint8_t> image, std::uint32_t highest, std::uint32_t pageSize,
                               Progress& progress) {
    AddressCounter counter(autoIncrement_);
    const std::uint32_t pageWords = pageSize / 2;
    const std::uint32_t words = highest / 2 + 1;
    bool pageWritten = false;
    for (std::uint32_t word = 0; word < words; ++word) {
        const std::uint16_t value = wordAt(image, word);
        if (value != 0xFFFF) {
            if (!WriteProgramWord(static_cast<std::uint16_t>(word), value, counter.at(word))) return false;
            counter.wrote(word);
            pageWritten = pageWords > 0;
        }
        if (pageWords > 0 && (word + 1) % pageWords == 0) {
            if (pageWritten) {
                WritePage(static_cast<std::uint16_t>(word + 1 - pageWords), false);
                counter.forget();
            }
            pageWritten = false;
        }
        progress.at(2 * word + 2);
    }
    if (pageWritten) WritePage(static_cast<std::uint16_t>(words / pageWords * pageWords), false);
    return true;
}

bool CLowIO::programFlashBytes(std::span<const std::uint8_t> image, std::uint32_t highest, Progress& progress) {
    AddressCounter counter(autoIncrement_);
    for (std::uint32_t address = 0; address <= highest; ++address) {
        if (image[address] != kErased) {
            if (!WriteProgramWord(static_cast<std::uint16_t>(address), image[address], counter.at(address))) return false;
            counter.wrote(address);
        }
        progress.at(address + 1);
    }
    return true;
}

bool CLowIO::VerifyFlash(std::span<const std::uint8_t> image, std::uint32_t highest) {
    if (highest == 0) return true;
    if (!clip(image, highest) || !EnterProgMode() || !SetAddress(0)) return false;
    Progress progress(progress_, highest, Progress::flashDivisor(highest));
    const bool ok = blockSize_ > 0 ? verifyFlashBlocks(image, highest, progress)
                                   : verifyFlashSingly(image, highest, progress);
    return ok && LeaveProgMode();
}

bool CLowIO::verifyFlashBlocks(std::span<const std::uint8_t> image, std::uint32_t highest, Progress& progress) {
    // One byte more than the range, for the high byte of a last word that the range ends in.
    std::vector<std::uint8_t> chip(highest + 2, kErased);
    std::uint32_t fetched = 0;
    for (std::uint32_t start = 0; start <= highest;) {
        const std::uint32_t rest = highest - start;
        const std::uint32_t count = (std::min(rest, kReadChunk) + 1) & ~1u;
        if (count > 0) {
            if (!BlockRead(chip.data() + start, static_cast<std::uint16_t>(count), Memory::Flash)) return false;
            fetched = start + count;
        }
        start += std::min(rest + 1, kReadChunk);
        progress.at(start);
    }
    // The even request leaves out a last byte at an even address: fetch it (with its word).
    if (fetched <= highest) {
        const std::uint16_t tail = wordAddressed_ ? 2 : 1;
        if (!BlockRead(chip.data() + fetched, tail, Memory::Flash)) return false;
    }
    for (std::uint32_t address = 0; address <= highest; ++address) {
        if (chip[address] == image[address]) continue;
        progress.reset();
        if (wordAddressed_) {
            const std::uint32_t word = address / 2;
            showMessage(QString::asprintf(kWordMismatch, word, wordAt(image, word), wordAt(chip, word)));
        } else {
            showMessage(QString::asprintf(kByteMismatch, address, image[address], chip[address]));
        }
        return false;
    }
    return true;
}

bool CLowIO::verifyFlashSingly(std::span<const std::uint8_t> image, std::uint32_t highest, Progress& progress) {
    const std::uint32_t units = wordAddressed_ ? highest / 2 + 1 : highest + 1;
    for (std::uint32_t address = 0; address < units; ++address) {
        const std::uint16_t expected = wordAddressed_ ? wordAt(image, address) : image[address];
        std::uint16_t value = 0;
        const bool read = ReadProgramWord(static_cast<std::uint16_t>(address), autoIncrement_, value);
        if (!read || value != expected) {
            progress.reset();
            showMessage(QString::asprintf(kWordMismatch, address, expected, value));
            return false;
        }
        progress.at(wordAddressed_ ? 2 * address + 2 : address + 1);
    }
    return true;
}

bool CLowIO::ReadFlash(QIODevice& out) { return readMemory(Memory::Flash, flashSize_, out); }

bool CLowIO::ReadEeprom(QIODevice& out) { return readMemory(Memory::Eeprom, eepromSize_, out); }

bool CLowIO::readMemory(Memory memory, std::uint32_t size, QIODevice& out) {
    if (!EnterProgMode() || !SetAddress(0)) return false;
    const std::uint32_t lines = size / kHexRecordBytes;
    Progress progress(progress_, lines, 1);
    if (blockSize_ > 0) {
        std::vector<std::uint8_t> bytes(size, kErased);
        for (std::uint32_t offset = 0; offset < size;) {
            const std::uint32_t count = std::min(kReadChunk, size - offset);
            if (!BlockRead(bytes.data() + offset, static_cast<std::uint16_t>(count), memory)) return false;
            offset += count;
            progress.at(offset / kHexRecordBytes);
        }
        for (std::uint32_t line = 0; line < lines; ++line)
            if (!writeLine(out, line, bytes.data() + line * kHexRecordBytes)) return false;
    } else {
        std::array<std::uint8_t, kHexRecordBytes> bytes{};
        for (std::uint32_t line = 0; line < lines; ++line) {
            if (!readLine(memory, line, bytes.data()) || !writeLine(out, line, bytes.data())) return false;
            progress.at(line + 1);
        }
    }
    return writeRecord(out, HexEndRecord()) && LeaveProgMode();
}

// The 16 bytes of one record, read one word or byte at a time in address order.
bool CLowIO::readLine(Memory memory, std::uint32_t line, std::uint8_t* bytes) {
    const std::uint32_t first = line * kHexRecordBytes;
    if (memory == Memory::Eeprom) {
        for (std::uint32_t i = 0; i < kHexRecordBytes; ++i)
            if (!ReadDataByte(static_cast<std::uint16_t>(first + i), autoIncrement_, bytes[i])) return false;
        return true;
    }
    if (wordAddressed_) {
        for (std::uint32_t i = 0; i < kHexRecordBytes / 2; ++i) {
            std::uint16_t word = 0;
            if (!ReadProgramWord(static_cast<std::uint16_t>(first / 2 + i), autoIncrement_, word)) return false;
            bytes[2 * i] = static_cast<std::uint8_t>(word);
            bytes[2 * i + 1] = static_cast<std::uint8_t>(word >> 8);
        }
        return true;
    }
    for (std::uint32_t i = 0; i < kHexRecordBytes; ++i) {
        std::uint16_t value = 0;
        if (!ReadProgramWord(static_cast<std::uint16_t>(first + i), autoIncrement_, value)) return false;
        bytes[i] = static_cast<std::uint8_t>(value);
    }
    return true;
}

bool CLowIO::ProgramEeprom(std::span<const std::uint8_t> image, std::uint32_t highest) {
    if (highest == 0) return true;
    if (!clip(image, highest) || !EnterProgMode() || !SetAddress(0)) return false;
    Progress progress(progress_, highest, Progress::eepromDivisor(highest));
    if (blockSize_ > 0) {
        for (std::uint32_t start = 0; start <= highest; start += blockSize_) {
            const std::uint32_t count = std::min(blockSize_, highest - start + 1);
            if (!SetAddress(static_cast<std::uint16_t>(start)) ||
                !BlockWrite(static_cast<std::uint16_t>(count), image.data() + start, Memory::Eeprom))
                return false;
            progress.at(start + count);
        }
    } else {
        for (std::uint32_t address = 0; address <= highest; ++address) {
            if (!WriteDataByte(static_cast<std::uint16_t>(address), image[address], autoIncrement_)) return false;
            progress.at(address + 1);
        }
    }
    return LeaveProgMode();
}

bool CLowIO::VerifyEeprom(std::span<const std::uint8_t> image, std::uint32_t highest) {
    if (highest == 0) return true;
    if (!clip(image, highest) || !EnterProgMode() || !SetAddress(0)) return false;
    Progress progress(progress_, highest, Progress::eepromDivisor(highest));
    auto mismatch = [&](std::uint32_t address, std::uint8_t value) {
        progress.reset();
        showMessage(QString::asprintf(kByteMismatch, address, image[address], value));
        return false;
    };
    if (blockSize_ > 0) {
        std::vector<std::uint8_t> chip(highest + 1, kErased);
        for (std::uint32_t start = 0; start <= highest; start += kReadChunk) {
            const std::uint32_t count = std::min(kReadChunk, highest - start + 1);
            if (!BlockRead(chip.data() + start, static_cast<std::uint16_t>(count), Memory::Eeprom)) return false;
            progress.at(start + count);
        }
        for (std::uint32_t address = 0; address <= highest; ++address)
            if (chip[address] != image[address]) return mismatch(address, chip[address]);
    } else {
        for (std::uint32_t address = 0; address <= highest; ++address) {
            std::uint8_t value = 0;
            if (!ReadDataByte(static_cast<std::uint16_t>(address), autoIncrement_, value) || value != image[address])
                return mismatch(address, value);
            progress.at(address + 1);
        }
    }
    return LeaveProgMode();
}

}  // namespace burnet
