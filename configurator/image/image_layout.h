#pragma once

// Where each settings block lives in a unit's settings image (the file and the unit's
// memory share the layout). Channels are numbered 1 to 8.
namespace veldar::image {

inline constexpr int kPageSize = 128;
inline constexpr int kPages = 233;
inline constexpr int kLastPage = kPages - 1;
inline constexpr int kSize = kPageSize * kPages;  // 29824

inline constexpr int kChannels = 8;
inline constexpr int kBlockSize = 128;         // relay, common, constants, instrumental
inline constexpr int kTableBlockSize = 1408;   // 352 rows of two 16-bit values
inline constexpr int kTableRows = 352;
inline constexpr int kDensityBlockSize = 1664;  // fourteen 64-byte columns, then 0xFF

inline constexpr int kRelayOffset = 11264;
inline constexpr int kCommonOffset = 11392;
inline constexpr int kLiquidDensityOffset = 12544;
inline constexpr int kVapourDensityOffset = 14208;
inline constexpr int kExtendedTablesOffset = 15872;
inline constexpr int kInstrumentalOffset = 27136;
inline constexpr int kGasPressureOffset = 28160;

// The unit numbers its tables 1..8 (calibration) and 11..18 (extended calibration).
inline constexpr int kExtendedTableBase = 10;

inline constexpr int calibrationOffset(int channel) { return (channel - 1) * kTableBlockSize; }
inline constexpr int tableNumberOffset(int tableNumber) {
    return tableNumber <= kChannels ? calibrationOffset(tableNumber)
                                    : tableNumber * kTableBlockSize + 384;
}
inline constexpr int extendedOffset(int channel) {
    return tableNumberOffset(channel + kExtendedTableBase);
}
inline constexpr int constantsOffset(int channel) { return kCommonOffset + channel * kBlockSize; }
inline constexpr int instrumentalOffset(int channel) {
    return kInstrumentalOffset + (channel - 1) * kBlockSize;
}

static_assert(extendedOffset(1) == kExtendedTablesOffset);
static_assert(extendedOffset(kChannels) + kTableBlockSize == kInstrumentalOffset);
static_assert(constantsOffset(kChannels) + kBlockSize == kLiquidDensityOffset);
static_assert(kGasPressureOffset + kDensityBlockSize == kSize);

}  // namespace veldar::image
