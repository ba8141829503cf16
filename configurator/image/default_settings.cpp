#include "default_settings.h"

#include "density_defaults.h"
#include "image_layout.h"

#include <cstdint>
#include <iterator>
#include <utility>

namespace veldar {
namespace {

using namespace image;

// Level (mm) : volume (litres) of calibration rows 2 to 120; the rows after repeat the last.
constexpr std::pair<unsigned, unsigned> kCalibrationRows[] = {
    {10, 11}, {20, 33}, {30, 61}, {40, 93}, {50, 129}, {60, 171}, {70, 215}, {80, 262}, {90, 312},
    {100, 364}, {110, 420}, {120, 478}, {130, 537}, {140, 599}, {150, 663}, {160, 729}, {170, 797},
    {180, 867}, {190, 938}, {200, 1011}, {210, 1085}, {220, 1161}, {230, 1238}, {240, 1317},
    {250, 1397}, {260, 1477}, {270, 1560}, {280, 1643}, {290, 1728}, {300, 1813}, {310, 1899},
    {320, 1987}, {330, 2076}, {340, 2164}, {350, 2255}, {360, 2345}, {370, 2437}, {380, 2529},
    {390, 2622}, {400, 2716}, {410, 2809}, {420, 2905}, {430, 3001}, {440, 3096}, {450, 3193},
    {460, 3289}, {470, 3386}, {480, 3484}, {490, 3582}, {500, 3680}, {510, 3779}, {520, 3877},
    {530, 3977}, {540, 4075}, {550, 4175}, {560, 4274}, {570, 4374}, {580, 4473}, {590, 4574},
    {600, 4672}, {610, 4773}, {620, 4872}, {630, 4971}, {640, 5071}, {650, 5171}, {660, 5269},
    {670, 5368}, {680, 5466}, {690, 5565}, {700, 5663}, {710, 5761}, {720, 5858}, {730, 5955},
    {740, 6052}, {750, 6148}, {760, 6243}, {770, 6338}, {780, 6433}, {790, 6527}, {800, 6620},
    {810, 6713}, {820, 6804}, {830, 6896}, {840, 6986}, {850, 7079}, {860, 7164}, {870, 7253},
    {880, 7339}, {890, 7425}, {900, 7510}, {910, 7594}, {920, 7677}, {930, 7759}, {940, 7839},
    {950, 7918}, {960, 7996}, {970, 8073}, {980, 8148}, {990, 8222}, {1000, 8294}, {1010, 8365},
    {1020, 8433}, {1030, 8500}, {1040, 8564}, {1050, 8628}, {1060, 8689}, {1070, 8747},
    {1080, 8804}, {1090, 8858}, {1100, 8909}, {1110, 8958}, {1120, 9004}, {1130, 9046},
    {1140, 9085}, {1150, 9120}, {1160, 9150}, {1170, 9175}, {1180, 9192}, {1185, 9196},
};

constexpr unsigned kVolumesInLitres = 1000;  // row 1's level field: the volume scale code

constexpr unsigned kCommonWords[] = {0x0000, 0x5162, 450, 455, 500, 500, 500, 550,
                                     500,    470,    430, 480, 490, 500, 500};

// Value 0 is one byte wide, value 3 three bytes, the others two.
constexpr unsigned kConstants[] = {
    0,    7000, 53505, 100000, 3500, 50,  3500, 3500, 3500, 2155, 2155, 2155, 2950, 1700,
    900,  0,    0,     0,      2780, 5501, 10023, 950, 34501, 200, 1800, 2,   30,   1,
    2561, 0,    18,    740,    45,   60,  0,    7460, 0,    159,  100,  2400, 2500, 200};

// Temperature (°C) : instrumental error.
constexpr std::pair<int, unsigned> kInstrumentalRows[] = {
    {-50, 150}, {-45, 135}, {-40, 120}, {-35, 105}, {-30, 90}, {-25, 75}, {-20, 60}, {-15, 44},
    {-10, 28}, {-5, 14}, {0, 0}, {5, 15}, {10, 30}, {15, 40}, {20, 52}, {25, 62}, {30, 75},
    {35, 90}, {40, 105}, {45, 120}, {50, 135}, {55, 150}, {60, 165}, {65, 180}, {70, 195},
    {75, 208}, {80, 220}, {85, 229}, {90, 235}, {95, 241}, {100, 247},
};

static_assert(std::size(kCalibrationRows) == 119);
static_assert(std::size(kCommonWords) == 15);
static_assert(std::size(kConstants) == 42);
static_assert(std::size(kInstrumentalRows) == 31);

constexpr std::uint8_t kRelayUnusedActiveHigh = 0x80;
constexpr int kRelayOutputs = 8;
constexpr int kDensityColumn = 64;

class Writer {
public:
    Writer(QByteArray& bytes, int at) : bytes_(bytes), at_(at) {}
    void u8(unsigned v) { bytes_[at_++] = static_cast<char>(v & 0xFF); }
    void u16(unsigned v) {
        u8(v >> 8);
        u8(v);
    }
    void u24(unsigned v) {
        u8(v >> 16);
        u16(v & 0xFFFF);
    }

private:
    QByteArray& bytes_;
    int at_;
};

void calibrationTable(QByteArray& image, int offset) {
    Writer w(image, offset);
    w.u16(kVolumesInLitres);
    w.u16(0);
    for (const auto& [level, volume] : kCalibrationRows) {
        w.u16(level);
        w.u16(volume);
    }
    const auto& last = kCalibrationRows[std::size(kCalibrationRows) - 1];
    for (int row = 1 + static_cast<int>(std::size(kCalibrationRows)); row < kTableRows; ++row) {
        w.u16(last.first);
        w.u16(last.second);
    }
}

void extendedTable(QByteArray& image, int offset) {
    Writer w(image, offset);
    for (int row = 0; row < kTableRows; ++row) {
        w.u16(10 * row);
        w.u16(10 * row);
    }
}

void constants(QByteArray& image, int offset) {
    Writer w(image, offset);
    for (std::size_t i = 0; i < std::size(kConstants); ++i) {
        if (i == 0)
            w.u8(kConstants[i]);
        else if (i == 3)
            w.u24(kConstants[i]);
        else
            w.u16(kConstants[i]);
    }
}

void instrumentalTable(QByteArray& image, int offset) {
    Writer w(image, offset);
    w.u8(std::size(kInstrumentalRows));
    for (const auto& [temperature, value] : kInstrumentalRows) {
        w.u8(static_cast<unsigned>(temperature));
        w.u16(value);
    }
}

// Fourteen 64-byte columns, each a row count followed by its entries: the temperatures as
// signed bytes in column 0, the scaled densities as 24-bit numbers in the others.
void densityTable(QByteArray& image, int offset, const DensityTable& table) {
    Writer temperatures(image, offset);
    temperatures.u8(kDensityTemperatures);
    for (const int t : table.temperatures) temperatures.u8(static_cast<unsigned>(t));
    for (int type = 0; type < kLiquidTypes; ++type) {
        Writer column(image, offset + kDensityColumn * (type + 1));
        column.u8(kDensityTemperatures);
        for (const auto& row : table.scaled) column.u24(row[static_cast<std::size_t>(type)]);
    }
}

}  // namespace

QByteArray defaultSettingsImage(const DensityDefaults& tables) {
    QByteArray image(kSize, '\xFF');
    for (int channel = 1; channel <= kChannels; ++channel) {
        calibrationTable(image, calibrationOffset(channel));
        constants(image, constantsOffset(channel));
        extendedTable(image, extendedOffset(channel));
        instrumentalTable(image, instrumentalOffset(channel));
    }
    Writer relay(image, kRelayOffset);
    for (int i = 0; i < kRelayOutputs; ++i) relay.u8(kRelayUnusedActiveHigh);
    Writer common(image, kCommonOffset);
    for (const unsigned word : kCommonWords) common.u16(word);
    densityTable(image, kLiquidDensityOffset, tables.liquidExtended);
    densityTable(image, kVapourDensityOffset, tables.vapourExtended);
    return image;
}

const QByteArray& builtInDefaultSettings() {
    static const QByteArray image = defaultSettingsImage(builtInDensityDefaults());
    return image;
}

}  // namespace veldar
