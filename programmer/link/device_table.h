#pragma once

#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace burnet {

// Fuse layouts A..S and lock layouts LA..LF of the advanced dialog; None shows no controls.
enum class FuseLayout : std::uint8_t { None, A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S };
enum class LockLayout : std::uint8_t { None, LA, LB, LC, LD, LE, LF };
// How the advanced dialog fetches the fuse and lock bytes.
enum class ReadRoute : std::uint8_t { RR1 = 1, RR2, RR3, RR4, RR5, RR6, RR7, RR8 };
// The raw instruction a serial programmer writes the fuse low byte with.
enum class FuseLowWrite : std::uint8_t { Short, ShortThenLeave, Long };
enum class Calibration : std::uint8_t { None, Readable, NotSupported };
// Size of the boot section that programming must not run into (boot-loader variants only).
enum class BootSizeRule : std::uint8_t { None, FuseHighMax1024, FuseHighMax2048, FuseHighMax4096, Fixed512 };

// Bits of the programmer-type mask.
inline constexpr std::uint8_t kParallelProgrammer = 0x01;
inline constexpr std::uint8_t kSerialProgrammer = 0x02;

// One microcontroller the programmer can handle. The end row has no name and all values 0.
struct DeviceRow {
    const char* name;
    std::uint32_t deviceCode;
    std::uint32_t flashSize;   // bytes
    std::uint32_t eepromSize;  // bytes, 0 = no EEPROM
    // Who may, in order, write the fuses, write the lock bits, read fuses and lock bits:
    // 'B' any programmer type, 'P' parallel only, 'S' serial only, anything else no type.
    char accessLetters[3];
    bool wordAddressed;
    std::uint32_t pageSize;  // bytes, 0 = no page writes

    // Carried by the device-select message. Here: the flash and EEPROM poll values
    // (paramBytes, first byte lowest), the chip-erase delay in microseconds (paramLong),
    // the flash and EEPROM write delays in microseconds (paramWord, paramWord2) and the
    // EEPROM page size in bytes (tailByte).
    std::uint32_t paramWord2;
    std::uint32_t paramBytes;
    std::uint32_t paramLong;
    std::uint16_t paramWord;
    std::uint8_t tailByte;

    // Offered by version when the programmer gives no device list: needs a parameter-block
    // version of at least minParamVersion and a programmer type sharing a bit with the mask.
    std::uint8_t minParamVersion;
    std::uint8_t programmerMask;

    FuseLayout fuseLayout;
    bool encodesFuses;
    LockLayout lockLayout;
    ReadRoute readRoute;
    FuseLowWrite fuseLowWrite;
    bool writesFuseHigh;
    bool writesExtFuse;
    bool lockByInstruction;
    Calibration calibration;
    BootSizeRule bootSizeRule;
    bool writeWholePages;
    bool leaveAfterErase;
    bool lockAfterEnciphered;

    bool isEnd() const { return name == nullptr; }
};

// The 44 device rows followed by the end row.
std::span<const DeviceRow> DeviceTable();
inline constexpr std::size_t kDeviceRows = 44;

// The first row with this code, or nullptr.
const DeviceRow* FindRowByCode(std::uint32_t code);
// The row with exactly this name, or the end row.
const DeviceRow& FindRowByName(const QString& name);
// Rows offered to a programmer without a device list, in table order.
std::vector<const DeviceRow*> RowsForProgrammer(std::uint8_t paramVersion, std::uint8_t programmerMask);

}  // namespace burnet
