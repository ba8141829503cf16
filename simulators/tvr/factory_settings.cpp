#include "factory_settings.h"

#include "memory_map.h"

#include <array>
#include <utility>

namespace tvrsim {
namespace {

using namespace memory;

void put16(QByteArray& b, int at, unsigned v) {
    b[at] = static_cast<char>((v >> 8) & 0xFF);
    b[at + 1] = static_cast<char>(v & 0xFF);
}

void put24(QByteArray& b, int at, unsigned v) {
    b[at] = static_cast<char>((v >> 16) & 0xFF);
    put16(b, at + 1, v & 0xFFFF);
}

// Level (mm) : volume (litres) of rows 2 to 120; rows 121 to 352 repeat the last one.
constexpr std::pair<unsigned, unsigned> kCalibrationRows[] = {
    {10, 11},     {20, 33},     {30, 61},     {40, 93},     {50, 129},    {60, 171},
    {70, 215},    {80, 262},    {90, 312},    {100, 364},   {110, 420},   {120, 478},
    {130, 537},   {140, 599},   {150, 663},   {160, 729},   {170, 797},   {180, 867},
    {190, 938},   {200, 1011},  {210, 1085},  {220, 1161},  {230, 1238},  {240, 1317},
    {250, 1397},  {260, 1477},  {270, 1560},  {280, 1643},  {290, 1728},  {300, 1813},
    {310, 1899},  {320, 1987},  {330, 2076},  {340, 2164},  {350, 2255},  {360, 2345},
    {370, 2437},  {380, 2529},  {390, 2622},  {400, 2716},  {410, 2809},  {420, 2905},
    {430, 3001},  {440, 3096},  {450, 3193},  {460, 3289},  {470, 3386},  {480, 3484},
    {490, 3582},  {500, 3680},  {510, 3779},  {520, 3877},  {530, 3977},  {540, 4075},
    {550, 4175},  {560, 4274},  {570, 4374},  {580, 4473},  {590, 4574},  {600, 4672},
    {610, 4773},  {620, 4872},  {630, 4971},  {640, 5071},  {650, 5171},  {660, 5269},
    {670, 5368},  {680, 5466},  {690, 5565},  {700, 5663},  {710, 5761},  {720, 5858},
    {730, 5955},  {740, 6052},  {750, 6148},  {760, 6243},  {770, 6338},  {780, 6433},
    {790, 6527},  {800, 6620},  {810, 6713},  {820, 6804},  {830, 6896},  {840, 6986},
    {850, 7079},  {860, 7164},  {870, 7253},  {880, 7339},  {890, 7425},  {900, 7510},
    {910, 7594},  {920, 7677},  {930, 7759},  {940, 7839},  {950, 7918},  {960, 7996},
    {970, 8073},  {980, 8148},  {990, 8222},  {1000, 8294}, {1010, 8365}, {1020, 8433},
    {1030, 8500}, {1040, 8564}, {1050, 8628}, {1060, 8689}, {1070, 8747}, {1080, 8804},
    {1090, 8858}, {1100, 8909}, {1110, 8958}, {1120, 9004}, {1130, 9046}, {1140, 9085},
    {1150, 9120}, {1160, 9150}, {1170, 9175}, {1180, 9192}, {1185, 9196},
};

constexpr unsigned kCommonWords[] = {0x0000, 0x5162, 450, 455, 500, 500, 500, 550,
                                     500,    470,    430, 480, 490, 500, 500};

// The 42 channel constants; value 0 takes one byte, value 3 three, the others two.
constexpr unsigned kConstants[] = {
    0,    7000, 53505, 100000, 3500, 50,   3500,  3500, 3500,  2155, 2155, 2155, 2950, 1700,
    900,  0,    0,     0,      2780, 5501, 10023, 950,  34501, 200,  1800, 2,    30,   1,
    2561, 0,    18,    740,    45,   60,   0,     7460, 0,     159,  100,  2400, 2500, 200};

// Temperature (°C) : error (hundredths of a picofarad).
constexpr std::pair<int, unsigned> kInstrumentalRows[] = {
    {-50, 150}, {-45, 135}, {-40, 120}, {-35, 105}, {-30, 90}, {-25, 75}, {-20, 60},  {-15, 44},
    {-10, 28},  {-5, 14},   {0, 0},     {5, 15},    {10, 30},  {15, 40},  {20, 52},   {25, 62},
    {30, 75},   {35, 90},   {40, 105},  {45, 120},  {50, 135}, {55, 150}, {60, 165},  {65, 180},
    {70, 195},  {75, 208},  {80, 220},  {85, 229},  {90, 235}, {95, 241}, {100, 247},
};

QByteArray calibrationBlock() {
    QByteArray b(kTableBlockSize, '\0');
    put16(b, 0, 1000);  // row 1: volume scale code (litres), volume 0 at level 0
    put16(b, 2, 0);
    int row = 1;
    for (const auto& [level, volume] : kCalibrationRows) {
        put16(b, row * 4, level);
        put16(b, row * 4 + 2, volume);
        ++row;
    }
    for (; row < kTableRows; ++row) {
        put16(b, row * 4, kCalibrationRows[std::size(kCalibrationRows) - 1].first);
        put16(b, row * 4 + 2, kCalibrationRows[std::size(kCalibrationRows) - 1].second);
    }
    return b;
}

QByteArray extendedBlock() {
    QByteArray b(kTableBlockSize, '\0');
    for (int row = 0; row < kTableRows; ++row) {
        put16(b, row * 4, static_cast<unsigned>(10 * row));
        put16(b, row * 4 + 2, static_cast<unsigned>(10 * row));
    }
    return b;
}

QByteArray constantsBlock() {
    QByteArray b(kBlockSize, '\xFF');
    int at = 0;
    for (int i = 0; i < static_cast<int>(std::size(kConstants)); ++i) {
        if (i == 0) {
            b[at++] = static_cast<char>(kConstants[i]);
        } else if (i == 3) {
            put24(b, at, kConstants[i]);
            at += 3;
        } else {
            put16(b, at, kConstants[i]);
            at += 2;
        }
    }
    return b;
}

QByteArray instrumentalBlock() {
    QByteArray b(kBlockSize, '\xFF');
    b[0] = static_cast<char>(std::size(kInstrumentalRows));
    int at = 1;
    for (const auto& [temperature, error] : kInstrumentalRows) {
        b[at] = static_cast<char>(static_cast<std::int8_t>(temperature));
        put16(b, at + 1, error);
        at += 3;
    }
    return b;
}

void place(QByteArray& memory, int offset, const QByteArray& block) {
    memory.replace(offset, block.size(), block);
}

}  // namespace

QByteArray densityBlock(const DensityTable& table) {
    QByteArray b(kDensityBlockSize, '\xFF');
    for (int column = 0; column <= kLiquidTypes; ++column)
        b[column * kDensityColumn] = static_cast<char>(kDensityRows);
    for (int row = 0; row < kDensityRows; ++row) {
        b[1 + row] = static_cast<char>(static_cast<std::int8_t>(table.temperatures[row]));
        for (int type = 0; type < kLiquidTypes; ++type)
            put24(b, (type + 1) * kDensityColumn + 1 + 3 * row, table.values[row][type]);
    }
    return b;
}

QByteArray factorySettings(const DefaultDensityTables& tables) {
    QByteArray m(kSize, '\xFF');
    const QByteArray calibration = calibrationBlock();
    const QByteArray extended = extendedBlock();
    const QByteArray constants = constantsBlock();
    const QByteArray instrumental = instrumentalBlock();
    for (int k = 1; k <= kChannels; ++k) {
        place(m, tableOffset(k), calibration);
        place(m, tableOffset(k + 10), extended);
        place(m, constantsOffset(k), constants);
        place(m, instrumentalOffset(k), instrumental);
    }
    QByteArray relay(kBlockSize, '\xFF');
    relay.replace(0, kRelayBytes, QByteArray(kRelayBytes, '\x80'));
    place(m, kRelayOffset, relay);
    QByteArray common(kBlockSize, '\xFF');
    for (int w = 0; w < static_cast<int>(std::size(kCommonWords)); ++w)
        put16(common, 2 * w, kCommonWords[w]);
    place(m, kCommonOffset, common);
    place(m, kLiquidDensityOffset, densityBlock(tables.liquidExtended));
    place(m, kVapourDensityOffset, densityBlock(tables.vapourExtended));
    return m;
}

}  // namespace tvrsim
