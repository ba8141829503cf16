#pragma once

// Where each settings block lives in a unit's settings memory. Channels are 1 to 8.
namespace tvrsim::memory {

inline constexpr int kPageSize = 128;
inline constexpr int kPages = 233;
inline constexpr int kSize = kPageSize * kPages;  // 29824

inline constexpr int kChannels = 8;

inline constexpr int kTableBlockSize = 1408;  // 352 rows of level and value
inline constexpr int kTableRows = 352;
inline constexpr int kTablePageCount = 11;  // 32 rows per page
inline constexpr int kRelayOffset = 11264;
inline constexpr int kRelayBytes = 8;
inline constexpr int kCommonOffset = 11392;
inline constexpr int kCommonBytes = 32;
inline constexpr int kConstantsBytes = 84;
inline constexpr int kBlockSize = 128;  // relay, common, constants, instrumental
inline constexpr int kLiquidDensityOffset = 12544;
inline constexpr int kVapourDensityOffset = 14208;
inline constexpr int kGasPressureOffset = 28160;
inline constexpr int kDensityBlockSize = 1664;  // 14 columns of 64 bytes, then 0xFF
inline constexpr int kDensityColumn = 64;
inline constexpr int kDensityPageCount = 13;
inline constexpr int kInstrumentalOffset = 27136;
inline constexpr int kInstrumentalMaxRows = 42;

// Table numbers as the unit names them: 1..8 calibration, 11..18 extended calibration.
inline constexpr bool isCalibrationTable(int number) {
    return number >= 1 && number <= 8;
}
inline constexpr bool isExtendedTable(int number) {
    return number >= 11 && number <= 18;
}
inline constexpr int tableOffset(int number) {
    return isCalibrationTable(number) ? (number - 1) * kTableBlockSize
                                      : number * kTableBlockSize + 384;
}

inline constexpr int constantsOffset(int channel) {
    return kCommonOffset + channel * kBlockSize;
}
inline constexpr int instrumentalOffset(int channel) {
    return kInstrumentalOffset + (channel - 1) * kBlockSize;
}

// Table kinds of the density and pressure commands: 0 liquid, 1 vapour, 2 gas pressure.
inline constexpr int densityOffset(int kind) {
    return kind == 0 ? kLiquidDensityOffset : kind == 1 ? kVapourDensityOffset : kGasPressureOffset;
}

}  // namespace tvrsim::memory
