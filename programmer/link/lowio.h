#pragma once

#include "platform/serial/serial_port.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>

class QIODevice;
class QWidget;

namespace platform {
class Dialogs;
class Scheduler;
}  // namespace platform

namespace burnet {

struct DeviceRow;

// The main window's progress bar as the transfer routines drive it.
class ProgressControl {
public:
    virtual ~ProgressControl() = default;
    virtual void setRange(int low, int high) = 0;
    virtual void setPosition(int position) = 0;
};

// Speaks the programmer's single-letter command set over the port it finds on COM1..COM4.
// Every call blocks until the programmer has answered or the port time-outs have passed;
// waits go through the scheduler. Failures are returned, never shown, except the two boxes
// of entering programming mode.
class CLowIO {
public:
    enum class Status { Busy, Passed, Failed };
    enum class Memory : char { Flash = 'F', Eeprom = 'E' };

    CLowIO(platform::SerialPortFactory& ports, platform::Scheduler& scheduler, platform::Dialogs& dialogs);
    ~CLowIO();
    CLowIO(const CLowIO&) = delete;
    CLowIO& operator=(const CLowIO&) = delete;

    void setProgressControl(ProgressControl* progress) { progress_ = progress; }
    ProgressControl* progressControl() const { return progress_; }
    // The window the boxes of this object belong to.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

    // Scans COM1..COM4 at the three baud rates, keeps the first port whose programmer
    // identifies itself, and asks it about auto-increment.
    bool FindProgrammer();
    bool isOpen() const;

    bool ReadSoftwareId(QString& id);
    bool ProbeUpgradeMode();
    bool ReadSoftwareVersion(char& major, char& minor);
    bool ReadProgrammerType(char& type);
    // Device codes up to the first zero byte (empty when the programmer lists none).
    QByteArray ReadDeviceList();
    // Programmer type letters up to the first zero byte; '?' first = not supported.
    QByteArray ReadProgrammerTypeList();
    bool SelectProgrammerType(char letter);
    // The parameter-block version, 0 when the programmer does not answer.
    std::uint8_t ReadParamVersion();
    void ReadBlockSupport();
    bool CheckAutoIncrement();

    bool SelectDevice(const DeviceRow& row, std::uint8_t paramVersion);

    bool EnterProgMode();
    bool LeaveProgMode();
    bool ChipErase();

    // `addressSet`: the programmer's address counter is already at `address`, so no `A`.
    bool SetAddress(std::uint16_t address);
    bool WriteProgramWord(std::uint16_t address, std::uint16_t value, bool addressSet);
    bool ReadProgramWord(std::uint16_t address, bool addressSet, std::uint16_t& value);
    bool WritePage(std::uint16_t address, bool addressSet);
    bool WriteDataByte(std::uint16_t address, std::uint8_t value, bool addressSet);
    bool ReadDataByte(std::uint16_t address, bool addressSet, std::uint8_t& value);
    bool BlockWrite(std::uint16_t count, const std::uint8_t* data, Memory memory);
    bool BlockRead(std::uint8_t* destination, std::uint16_t count, Memory memory);

    // The three signature bytes in the order they arrive.
    bool ReadSignature(std::array<std::uint8_t, 3>& signature);
    bool ReadCalibrationByte(std::uint8_t& value);
    bool ReadFuseBits(std::uint8_t& value);
    bool ReadFuseHighBits(std::uint8_t& value);
    bool ReadLockBits(std::uint8_t& value);
    bool ReadExtFuseBits(std::uint8_t& value);
    bool WriteFuseBits(std::uint8_t value);
    bool WriteFuseHighBits(std::uint8_t value);
    bool WriteExtFuseBits(std::uint8_t value);
    bool WriteLockBits(std::uint8_t value);
    bool UniversalCommand(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t& result);
    bool UniversalCommand4(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4,
                           std::uint8_t& result);

    void ShowStatus(Status status);

    // The memory transfers (transfer.cpp). Each enters programming mode itself and leaves it
    // when the transfer went through; after a failure the caller leaves it. Program and
    // verify take the image and the highest byte address to transfer (inclusive; 0 = nothing
    // to do); verify shows the first difference in a box. The reads write the whole memory
    // of the selected device as Intel HEX records into `out`.
    bool ProgramFlash(std::span<const std::uint8_t> image, std::uint32_t highest, std::uint32_t pageSize);
    bool VerifyFlash(std::span<const std::uint8_t> image, std::uint32_t highest);
    bool ReadFlash(QIODevice& out);
    bool ProgramEeprom(std::span<const std::uint8_t> image, std::uint32_t highest);
    bool VerifyEeprom(std::span<const std::uint8_t> image, std::uint32_t highest);
    bool ReadEeprom(QIODevice& out);

    // What device select stored, and what the programmer said about itself.
    std::uint32_t deviceCode() const { return deviceCode_; }
    std::uint32_t flashSize() const { return flashSize_; }
    std::uint32_t eepromSize() const { return eepromSize_; }
    bool wordAddressed() const { return wordAddressed_; }
    bool autoIncrement() const { return autoIncrement_; }
    std::uint32_t blockSize() const { return blockSize_; }
    bool inProgMode() const { return inProgMode_; }

    static constexpr int kScanAttempts = 20;
    // A slow boot loader may take this long to program a block before it answers.
    static constexpr int kBlockWriteBaseMs = 4000;
    static constexpr int kBlockWritePerByteMs = 20;

private:
    bool openPort(int number, int baud);
    bool send(std::initializer_list<std::uint8_t> bytes);
    bool send(const std::uint8_t* data, std::size_t n);
    bool receive(std::uint8_t* data, std::size_t n);
    bool receiveCarriageReturn();
    // Sends a letter and reads whatever list the programmer gives, at most `capacity` bytes.
    QByteArray readList(char letter, std::size_t firstRead, std::size_t capacity);
    bool addressFor(std::uint16_t address, bool addressSet);
    bool readByteInProgMode(char letter, std::uint8_t& value);
    bool writeByteInProgMode(char letter, std::uint8_t value);
    void lamp(char command, std::uint8_t number);
    void showMessage(const QString& text);

    // Transfers, one per way of addressing the memory.
    class Progress;
    bool programFlashBlocks(std::span<const std::uint8_t> image, std::uint32_t highest, Progress& progress);
    bool programFlashWholePages(std::span<const std::uint8_t> image, std::uint32_t highest, std::uint32_t pageSize,
                                Progress& progress);
    bool programFlashWords(std::span<const std::uint8_t> image, std::uint32_t highest, std::uint32_t pageSize,
                           Progress& progress);
    bool programFlashBytes(std::span<const std::uint8_t> image, std::uint32_t highest, Progress& progress);
    bool verifyFlashBlocks(std::span<const std::uint8_t> image, std::uint32_t highest, Progress& progress);
    bool verifyFlashSingly(std::span<const std::uint8_t> image, std::uint32_t highest, Progress& progress);
    bool readMemory(Memory memory, std::uint32_t size, QIODevice& out);
    bool readLine(Memory memory, std::uint32_t line, std::uint8_t* bytes);

    platform::Scheduler& scheduler_;
    platform::Dialogs& dialogs_;
    std::unique_ptr<platform::SerialPort> port_;
    ProgressControl* progress_ = nullptr;
    QWidget* dialogParent_ = nullptr;

    bool inProgMode_ = false;
    std::uint32_t deviceCode_ = 0;
    std::uint32_t flashSize_ = 0;
    std::uint32_t eepromSize_ = 0;
    bool wordAddressed_ = true;
    bool autoIncrement_ = false;
    std::uint32_t blockSize_ = 0;
};

}  // namespace burnet
