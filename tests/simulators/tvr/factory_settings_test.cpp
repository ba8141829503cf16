#include "host.h"

#include "simulators/tvr/density_tables.h"
#include "simulators/tvr/factory_settings.h"
#include "simulators/tvr/memory_map.h"

#include <gtest/gtest.h>

using namespace tvrsim;
using namespace tvrsim::memory;
using tvrsim::test::byteAt;
using tvrsim::test::bytes;
using tvrsim::test::word;

class FactorySettings : public ::testing::Test {
protected:
    const QByteArray m = factorySettings(builtInDensityTables());
    QByteArray at(int offset, int size) const { return m.mid(offset, size); }
};

TEST_F(FactorySettings, CalibrationTablesHoldTheDefaultTableInLitres) {
    ASSERT_EQ(m.size(), 29824);
    for (int k = 1; k <= 8; ++k) {
        const QByteArray t = at(tableOffset(k), kTableBlockSize);
        EXPECT_EQ(t.left(8), bytes({0x03, 0xE8, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x0B}))
            << "channel " << k;
        EXPECT_EQ(word(t, 4 * 119), 1185);  // row 120
        EXPECT_EQ(word(t, 4 * 119 + 2), 9196);
        EXPECT_EQ(t.mid(4 * 120), t.mid(4 * 119, 4).repeated(232));  // rows 121..352 repeat it
    }
    EXPECT_EQ(word(m, tableOffset(1) + 4 * 59), 590);  // row 60
    EXPECT_EQ(word(m, tableOffset(1) + 4 * 59 + 2), 4574);
}

TEST_F(FactorySettings, ExtendedTablesAreTheIdentity) {
    for (int k = 1; k <= 8; ++k) {
        const QByteArray t = at(tableOffset(k + 10), kTableBlockSize);
        EXPECT_EQ(tableOffset(k + 10), 15872 + (k - 1) * 1408);
        for (int r = 0; r < kTableRows; ++r) {
            ASSERT_EQ(word(t, 4 * r), 10 * r);
            ASSERT_EQ(word(t, 4 * r + 2), 10 * r);
        }
    }
}

TEST_F(FactorySettings, RelayCommonAndConstantBlocks) {
    EXPECT_EQ(at(kRelayOffset, 128), QByteArray(8, '\x80') + QByteArray(120, '\xFF'));
    EXPECT_EQ(at(kCommonOffset, 32),
              bytes({0x00, 0x00, 0x51, 0x62, 0x01, 0xC2, 0x01, 0xC7, 0x01, 0xF4, 0x01,
                     0xF4, 0x01, 0xF4, 0x02, 0x26, 0x01, 0xF4, 0x01, 0xD6, 0x01, 0xAE,
                     0x01, 0xE0, 0x01, 0xEA, 0x01, 0xF4, 0x01, 0xF4, 0xFF, 0xFF}));
    EXPECT_EQ(at(kCommonOffset + 30, 98), QByteArray(98, '\xFF'));
    for (int k = 1; k <= 8; ++k) {
        const QByteArray c = at(constantsOffset(k), 128);
        EXPECT_EQ(constantsOffset(k), 11392 + 128 * k);
        EXPECT_EQ(c.left(8), bytes({0x00, 0x1B, 0x58, 0xD1, 0x01, 0x01, 0x86, 0xA0}))
            << "channel " << k;
        EXPECT_EQ(word(c, 18), 2155);   // value 9, CK1
        EXPECT_EQ(word(c, 44), 34501);  // value 22, K1
        EXPECT_EQ(word(c, 70), 7460);   // value 35, K
        EXPECT_EQ(word(c, 82), 200);    // value 41, the last
        EXPECT_EQ(c.mid(84), QByteArray(44, '\xFF'));
    }
}

TEST_F(FactorySettings, DensityTablesInTheirBlockLayout) {
    const QByteArray liquid = at(kLiquidDensityOffset, kDensityBlockSize);
    for (int column = 0; column < 14; ++column) EXPECT_EQ(byteAt(liquid, 64 * column), 21);
    EXPECT_EQ(byteAt(liquid, 1), 0xCE);  // -50 °C
    EXPECT_EQ(byteAt(liquid, 21), 50);
    EXPECT_EQ(liquid.mid(22, 42), QByteArray(42, '\xFF'));
    EXPECT_EQ(liquid.mid(65, 3), bytes({0x09, 0x04, 0x34}));  // 590.9 × 1000
    EXPECT_EQ(liquid.mid(896), QByteArray(768, '\xFF'));
    const QByteArray vapour = at(kVapourDensityOffset, kDensityBlockSize);
    EXPECT_EQ(vapour.mid(13 * 64 + 1, 3),
              bytes({0x00, 0x3A, 0x98}));  // ШФЛУ at -50 °C: 0.15 × 100000
    EXPECT_EQ(vapour, densityBlock(builtInDensityTables().vapourExtended));
    EXPECT_EQ(at(kGasPressureOffset, kDensityBlockSize), QByteArray(kDensityBlockSize, '\xFF'));
}

TEST_F(FactorySettings, InstrumentalErrorTables) {
    for (int k = 1; k <= 8; ++k) {
        const QByteArray t = at(instrumentalOffset(k), 128);
        EXPECT_EQ(byteAt(t, 0), 31);
        EXPECT_EQ(t.mid(1, 6), bytes({0xCE, 0x00, 0x96, 0xD3, 0x00, 0x87}));  // -50:150, -45:135
        EXPECT_EQ(t.mid(91, 3), bytes({100, 0x00, 0xF7}));                    // 100:247
        EXPECT_EQ(t.mid(94), QByteArray(34, '\xFF'));
    }
}
