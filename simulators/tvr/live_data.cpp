#include "live_data.h"

#include "density_tables.h"
#include "memory_map.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tvrsim {
namespace {

using namespace memory;

unsigned get16(const QByteArray& b, int at) {
    return (static_cast<unsigned>(static_cast<std::uint8_t>(b[at])) << 8) |
           static_cast<std::uint8_t>(b[at + 1]);
}

unsigned get24(const QByteArray& b, int at) {
    return (static_cast<unsigned>(static_cast<std::uint8_t>(b[at])) << 16) | get16(b, at + 1);
}

double wave(std::int64_t ms, double periodS, double phase) {
    return std::sin(2 * std::numbers::pi * (static_cast<double>(ms) / 1000.0) / periodS + phase);
}

// A calibration table: row 1 holds the volume scale code and the volume at level 0, rows 2
// to 352 level and volume, a short table repeating its last row.
class TankTable {
public:
    explicit TankTable(const QByteArray& block) : block_(block) {
        factor_ = get16(block, 0) == 100 ? 10.0 : 1.0;
        for (int row = 1; row < kTableRows; ++row) {
            if (level(row) > topLevel_) {
                topLevel_ = level(row);
                topVolume_ = volume(row);
            }
        }
    }
    double topLevel() const { return topLevel_; }
    double topVolume() const { return topVolume_; }

    // Litres at a level, interpolated between rows.
    double volumeAt(double at) const {
        double prevLevel = 0;
        double prevVolume = volume(0);
        for (int row = 1; row < kTableRows; ++row) {
            if (level(row) <= prevLevel) continue;
            if (level(row) >= at)
                return prevVolume +
                       (volume(row) - prevVolume) * (at - prevLevel) / (level(row) - prevLevel);
            prevLevel = level(row);
            prevVolume = volume(row);
        }
        return prevVolume;
    }

private:
    double level(int row) const { return get16(block_, row * 4); }
    double volume(int row) const { return get16(block_, row * 4 + 2) * factor_; }

    const QByteArray& block_;
    double factor_ = 1;
    double topLevel_ = 0;
    double topVolume_ = 0;
};

// Density of a liquid type at a temperature from a table block; the fallback when the
// block holds no table.
double densityAt(const QByteArray& block, int type, double temperature, double scale,
                 double fallback) {
    const int rows = static_cast<std::uint8_t>(block[0]);
    if (rows < 1 || rows > kDensityRows || type < 1 || type > 13) return fallback;
    auto temp = [&](int r) { return static_cast<double>(static_cast<std::int8_t>(block[1 + r])); };
    auto value = [&](int r) { return get24(block, type * kDensityColumn + 1 + 3 * r) / scale; };
    if (rows == 1 || temperature <= temp(0)) return value(0);
    for (int r = 1; r < rows; ++r) {
        if (temperature <= temp(r) && temp(r) > temp(r - 1))
            return value(r - 1) + (value(r) - value(r - 1)) * (temperature - temp(r - 1)) /
                                      (temp(r) - temp(r - 1));
    }
    return value(rows - 1);
}

void put(QByteArray& b, int at, int bytes, double value) {
    const double top = std::ldexp(1.0, 8 * bytes) - 1;
    const auto v = static_cast<std::uint32_t>(std::clamp(std::round(value), 0.0, top));
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<char>((v >> (8 * (bytes - 1 - i))) & 0xFF);
}

void putSigned16(QByteArray& b, int at, double value) {
    const auto v = static_cast<std::int16_t>(std::clamp(std::round(value), -32768.0, 32767.0));
    const auto u = static_cast<std::uint16_t>(v);
    b[at] = static_cast<char>(u >> 8);
    b[at + 1] = static_cast<char>(u & 0xFF);
}

}  // namespace

Measurement simulateMeasurement(const QByteArray& memory, int channel, std::int64_t ms) {
    Measurement m;
    const double phase = 0.7 * channel;
    const QByteArray calibration = memory.mid(tableOffset(channel), kTableBlockSize);
    const QByteArray constants = memory.mid(constantsOffset(channel), kConstantsBytes);
    const TankTable tank(calibration);

    const double fill = 0.5 + 0.3 * wave(ms, 900, phase);
    m.levelMm = fill * (tank.topLevel() > 0 ? tank.topLevel() : 3000.0);
    const double volumeL = tank.volumeAt(m.levelMm);
    m.volumeM3 = volumeL / 1000.0;
    m.volumePercent = tank.topVolume() > 0 ? 100.0 * volumeL / tank.topVolume() : 0.0;

    const double liquidT = 12.0 + 6.0 * wave(ms, 3600, phase);
    m.temperatures = {liquidT,       liquidT + 1.5, 28.0 + 2.0 * wave(ms, 1800, phase),
                      liquidT + 0.3, liquidT + 0.6, liquidT + 0.9,
                      liquidT + 1.2};

    m.medium = static_cast<std::uint8_t>(constants[4]);
    m.liquidDensity = densityAt(memory.mid(kLiquidDensityOffset, kDensityBlockSize),
                                static_cast<int>(m.medium), liquidT, 1000.0, 520.0);
    m.vapourDensity = densityAt(memory.mid(kVapourDensityOffset, kDensityBlockSize),
                                static_cast<int>(m.medium), liquidT + 1.5, 100000.0, 16.0);
    m.liquidMassT = m.volumeM3 * m.liquidDensity / 1000.0;
    m.vapourMassT = std::max(0.0, tank.topVolume() - volumeL) / 1000.0 * m.vapourDensity / 1000.0;
    m.pressureAtm = 0.47 * m.vapourDensity;
    m.absolutePressureAtm = m.pressureAtm + 1.0;
    m.liquidPermittivity = 1.6 + 0.0008 * (m.liquidDensity - 500.0);
    m.vapourPermittivity = 1.0 + 0.00035 * m.vapourDensity;

    m.period = static_cast<unsigned>(20000 + std::lround(2 * m.levelMm));
    m.adc1 = static_cast<unsigned>(1000000 + std::lround(2000 * m.levelMm));
    m.cs1 = 50.0 + 0.05 * m.levelMm * m.liquidPermittivity;
    m.cs2 = 120.0 + 0.02 * m.levelMm;
    m.cs3 = 30.0 + 0.1 * liquidT;
    m.adc2 = static_cast<unsigned>(4000 + std::lround(2000 * m.pressureAtm));
    return m;
}

QByteArray encodeMeasurement(const Measurement& m) {
    QByteArray b(60, '\0');
    put(b, 6, 2, m.levelMm * 10);
    put(b, 8, 2, m.absolutePressureAtm * 100);
    put(b, 10, 2, m.pressureAtm * 100);
    put(b, 12, 2, m.volumePercent * 10);
    put(b, 14, 3, m.volumeM3 * 1000);
    put(b, 17, 3, m.liquidMassT * 1000);
    put(b, 20, 2, m.vapourMassT * 1000);
    put(b, 22, 2, m.liquidDensity * 10);
    put(b, 24, 2, m.vapourDensity * 10);
    put(b, 26, 2, m.liquidPermittivity * 1000);
    put(b, 28, 2, m.vapourPermittivity * 1000);
    for (int i = 0; i < 7; ++i)
        putSigned16(b, 30 + 2 * i, m.temperatures[static_cast<std::size_t>(i)] * 10);
    put(b, 44, 2, m.period);
    put(b, 46, 3, m.adc1);
    put(b, 49, 1, m.medium);
    put(b, 50, 2, m.cs1 * 100);
    put(b, 52, 2, m.cs2 * 10);
    put(b, 54, 2, m.cs3 * 100);
    put(b, 58, 2, m.adc2);
    return b;
}

}  // namespace tvrsim
