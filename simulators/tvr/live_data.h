#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

namespace tvrsim {

// One measurement of a channel in physical units, as a unit works it out from its sensor.
struct Measurement {
    double levelMm = 0;
    double absolutePressureAtm = 0;
    double pressureAtm = 0;
    double volumePercent = 0;
    double volumeM3 = 0;
    double liquidMassT = 0;
    double vapourMassT = 0;
    double liquidDensity = 0;  // kg/m3
    double vapourDensity = 0;
    double liquidPermittivity = 0;
    double vapourPermittivity = 0;
    std::array<double, 7> temperatures{};  // liquid, vapour, board, then along the electrode
    unsigned period = 0;
    unsigned adc1 = 0;
    unsigned medium = 0;  // liquid type code
    double cs1 = 0;
    double cs2 = 0;
    double cs3 = 0;
    unsigned adc2 = 0;
};

// A tank that slowly fills and empties and warms and cools, seen through the channel's
// settings in `memory`: its calibration table turns level into volume, its constants name
// the liquid type, the density tables give the densities at the liquid's temperature.
// The same time always gives the same measurement.
Measurement simulateMeasurement(const QByteArray& memory, int channel, std::int64_t ms);

// The 60 data bytes of a full CMD52 answer. Bytes 0 to 2 (sensor address, status, channel)
// are the caller's and left 0; values are rounded to their field's unit and kept within it.
QByteArray encodeMeasurement(const Measurement& m);

}  // namespace tvrsim
